#pragma once
#include "nentyo/nentyorecord.h"
#include "payroll/statementtypes.h"

#include <QList>
#include <QSqlQuery>
#include <functional>
#include <optional>

namespace minasel {
class AppContext;
}

namespace minasel::nentyo {

// The database side of the year-end adjustment of the current company. A failure is
// logged under "InpNentyo.<procedure>" with the common message, and the call says so.
class NentyoRepository {
public:
    explicit NentyoRepository(AppContext& ctx);

    // set_jyugyoin_combo: the employees with pay rows in the year (those who left too).
    bool employees(const QString& year, QList<payroll::EmployeeEntry>* out);
    // read_nentyo_data (or read_zennendo_data for last year's row): the stored row with
    // its declarations; nullopt when there is none.
    bool readStored(const QString& year, const QString& code, std::optional<NentyoRecord>* out,
                    const QString& procedure = QStringLiteral("read_nentyo_data"));
    // read_meisai_data: the year's salary and bonus statements added up.
    bool payTotals(const QString& year, const QString& code, PayTotals* out);
    // What the screen shows on choosing the employee: the stored row, else the year's pay.
    bool load(const QString& year, const QString& code, NentyoRecord* out, bool* stored);

    // Register: the NENTYO row, its declarations and the December balance, in one
    // transaction; on any failure none of them changes.
    bool save(const NentyoRecord& record);
    bool saveAll(const QList<NentyoRecord>& records);
    // delete_data: the row and its declarations. The December balance stays.
    bool remove(const QString& year, const QString& code);

private:
    bool write(const NentyoRecord& record);
    bool deleteRows(const QString& year, const QString& code);
    bool inTransaction(const QString& procedure, const std::function<bool()>& work);
    // Runs `work`; a failed statement or a text in a number column is reported under `procedure`.
    bool trapped(const QString& procedure, const std::function<void()>& work);
    // A statement bound to the company, year and employee, in that order.
    QSqlQuery keyed(const QString& sql, const QString& year, const QString& code);
    void fail(int code, const QString& description, const QString& procedure);

    AppContext& m_ctx;
};

} // namespace minasel::nentyo
