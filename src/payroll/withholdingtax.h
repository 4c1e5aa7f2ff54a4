// src/payroll/withholdingtax.h
#pragma once
#include <QString>
#include <optional>
namespace minasel::payroll {
struct TaxResult {
    long long tax = 0;               // whole yen
    QString rules;                   // the rule set used, e.g. "H24", "H25", "R2", "R8", "R9"
    bool newerRulesMissing = false;  // the period is beyond the newest recorded rule set
    int requestedYear = 0;           // year of the pay month / year asked for
    int rulesYear = 0;               // year of the rule set used (for the message)
    QString error;                   // non-empty when the input could not be used (tax 0)
};
// Monthly withholding (甲欄, computer method) for pay month "yyyymm".
TaxResult monthlyWithholding(const QString& payMonth, long long payAfterSocialInsurance, int dependants);
// Bonus withholding; previousPay is the previous month's salary after social insurance,
// std::nullopt when there was no salary that month.
TaxResult bonusWithholding(const QString& payMonth, long long bonusAfterSocialInsurance,
                           std::optional<long long> previousPay, int dependants);
// Employment-insurance premium, employee's share: 50 sen and less rounds down.
long long employmentInsurancePremium(double rate, long long base);
// "2027年分の税額表は未収録のため、2026年分で計算しています。" when newerRulesMissing, else "".
QString rulesNotice(const TaxResult& r);

// "yyyymm" as a number, or 0 when the text is not a pay month (four digits, month 01-12).
int parsePayMonth(const QString& payMonth);
}
