#pragma once
#include "payroll/meisairecord.h"
#include "payroll/statementtypes.h"

#include <QList>
#include <optional>

namespace minasel {
class AppContext;
}

namespace minasel::payroll {

// The database side of the salary and bonus statements of the current company:
// the employee list, the master items a statement starts from, the company's
// rates, the stored MEISAI rows and the lookups of the bonus. A failure is logged
// under "<form>.<procedure>" with the common message, and the call reports it.
class StatementRepository {
public:
    // `form` names the screen in the log ("InpKyuyo", "InpSyoyo", ...).
    StatementRepository(AppContext& ctx, const QString& form);

    // set_jyugyoin_combo: employees without a leaving date, in code order. With a pay
    // month, also those who left in it or the month before: their last pay is made then.
    bool employees(QList<EmployeeEntry>* out, const QString& payMonth = QString());

    // read_data: the fixed items, with the qualification and additional pay looked up
    // and the other allowances (up to 9) and deductions (up to 5) in line order.
    // nullopt when the employee is missing or a reader failed (*ok false on failure).
    std::optional<EmployeeMaster> employeeMaster(const QString& code, bool* ok = nullptr);
    // get_sikaku / get_fukakyu: the amount of a code; 0 when there is none.
    bool qualificationAmount(const QString& code, long long* amount);
    bool additionalPayAmount(const QString& code, long long* amount);

    // get_kaisya_kihon / get_syakaihokenritu: every rate of the company (Null as 0).
    bool companyRates(CompanyRates* out);

    // The employee's switches (GetTaxKubun: "0" when the employee is missing;
    // GetKoyohokenSw: "" for Null) and the employment-insurance rate.
    QString taxKubun(const QString& code);
    QString koyohokenSw(const QString& code);
    double koyohokenRitu();

    // read_meisai_data: the stored statement of the month, employee and kind.
    bool readStatement(const QString& payMonth, const QString& code, const QString& kind,
                       std::optional<MeisaiRecord>* out);
    // Replaces the stored statement: delete and insert in one transaction, so that
    // a failed insert leaves the old row.
    bool saveStatement(const MeisaiRecord& statement);
    // Inserts without deleting or a transaction of its own (bulk loading inside the
    // caller's transaction).
    bool insertStatement(const MeisaiRecord& statement);
    // delete_data
    bool deleteStatement(const QString& payMonth, const QString& code, const QString& kind);

    // get_zengetu_kyuyo: the salary after social insurance of the month before the
    // bonus month; nullopt when there is no salary statement that month, or it left
    // nothing after social insurance, or the lookup failed.
    std::optional<long long> previousMonthPay(const QString& code, const QString& bonusMonth);
    // Standard bonus amounts for health insurance of the employee's bonuses earlier in
    // the same fiscal year (before the pay month), on which health insurance was paid.
    long long healthStandardEarlier(const QString& code, const QString& payMonth);

private:
    void fail(int code, const QString& description, const QString& procedure, const QString& form = QString());
    // Runs `work`; a failed query or a text in a number column is logged under
    // `procedure` (read when the failure happens) and gives false.
    template <class Work>
    bool trapped(const QString& procedure, Work&& work, const QString& form = QString());
    bool codeAmount(const QString& sql, const QString& code, const QString& procedure, long long* amount);

    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::payroll
