#pragma once
#include "payroll/meisairecord.h"
#include "payroll/shahocalc.h"

#include <QStringList>

namespace minasel {
class AppContext;
}

namespace minasel::masters {
struct EmployeeInsurance;
}

namespace minasel::payroll {

// What the statements of one employee take from his standard monthly remuneration
// and the company's rates and settings, for one pay month.
struct StatementInsurance {
    int payMonth = 0;
    int premiumMonth = 0;      // the month whose premiums this pay collects
    bool fromHyojun = false;   // a standard amount is set: `premium` holds health and pension
    PremiumRates rates;        // the company's rates with the levy in force for the month
    MonthlyPremium premium;
    // Which premiums the age owes: care by age (by the master's flag without a birthday),
    // health and pension until 75 and 70 (always without a birthday).
    InsuredByAge age;
    QString careWarning;       // the master's flag disagrees with the age
    QStringList notices;       // rates later than the newest recorded ones

    // How the premiums were computed, for the employee master's note.
    QString explanation() const;
};

// "うち子ども・子育て支援金 345円"; "" for 0.
QString shienNote(long long shien);
// The lines a statement shows under its premiums: the levy's part of the health premium,
// the care warning and the notices of rates beyond the newest.
QString insuranceNote(long long shien, const StatementInsurance& ins);
// A new salary statement takes health and pension from the standard amount, and the
// care flag it was computed with; without a standard amount it keeps the master's.
void applyStandardPremiums(MeisaiRecord& statement, const StatementInsurance& ins);
// The levy's part of the salary statement's health premium when it is the computed one.
long long salaryShienPart(const MeisaiRecord& statement, const StatementInsurance& ins);

// Reads what the computation needs (the company's rates and settings, the employee's
// standard amount, birthday and care flag) and computes. Faults are logged under
// `form` and reported as false.
class ShahoPremiums {
public:
    ShahoPremiums(AppContext& ctx, QString form);

    // The premiums a salary of `payMonth` ("yyyymm") collects.
    bool salary(const QString& code, const QString& payMonth, StatementInsurance* out);
    // The same from values at hand (the master being edited), for a pay month yyyymm.
    bool salaryFor(const masters::EmployeeInsurance& employee, int payMonth, StatementInsurance* out);
    // A bonus of `payMonth`, its own premium month: the levy rate and care (the premium
    // itself comes from the bonus, calculateSyoyo).
    bool bonus(const QString& code, const QString& payMonth, StatementInsurance* out);

    // The levy's part of a statement's health premium when that premium is what the
    // standard amount (salary) or the bonus gives now; 0 otherwise (typed amounts).
    long long shienPart(const MeisaiRecord& statement);

private:
    bool compute(const masters::EmployeeInsurance& employee, int payMonth, int premiumMonth, StatementInsurance* out);

    AppContext& m_ctx;
    QString m_form;
};

} // namespace minasel::payroll
