#pragma once
#include "payroll/meisairecord.h"
#include "payroll/shahocalc.h"
#include "payroll/statementtypes.h"
#include "payroll/withholdingtax.h"

#include <optional>

namespace minasel::payroll {

// Standard bonus amount caps: the pension's per payment, the health insurance's
// for all bonuses of a fiscal year (April to March) together.
constexpr long long kPensionBonusCap = 1500000;
constexpr long long kHealthBonusYearCap = 5730000;

struct SyoyoParameters {
    CompanyRates rates;
    StatementSwitches switches;
    bool insured = false;   // the master's monthly health plus pension is above 0
    // Health and pension as the statement has them (typed over, or as registered)
    // instead of computed.
    bool healthTyped = false;
    bool pensionTyped = false;
    // The previous month's salary after social insurance; nullopt when there was none.
    std::optional<long long> previousPay;
    // Standard bonus amounts already counted for health insurance earlier in the fiscal year.
    long long healthStandardEarlier = 0;
    // The child-support levy of the bonus month (thousandths of a per cent), added to the
    // health rate before rounding; 0 before the levy began.
    int shienRate = 0;
    // Which premiums the employee's age still owes in the bonus month.
    InsuredByAge age;
};

struct SyoyoResult {
    MeisaiRecord statement;
    long long standardAmount = 0;        // the bonus cut to thousands of yen
    long long healthStandard = 0;        // after the fiscal-year cap
    long long pensionStandard = 0;       // after the per-payment cap
    long long computedHealth = 0;        // the health premium the rates give (typed over or not)
    long long shienPart = 0;             // of which the child-support levy
    long long socialInsurance = 0;
    long long afterSocialInsurance = 0;
    long long deductionTotal = 0;        // social insurance + tax + the two other deductions
    long long netPayment = 0;
    bool taxComputed = false;
    TaxResult taxResult;
};

// The bonus statement: the bonus is in statement.kihonkyu, the other deductions 1 and
// 2 in statement.deductions. Health and pension are the employee's half of the rate on
// the capped standard amount, 50 sen and less down; an employee who is not insured,
// and a premium typed over, keep the statement's health and pension as they are.
// Employment insurance is on the whole bonus.
SyoyoResult calculateSyoyo(const MeisaiRecord& input, const SyoyoParameters& p);

// The employee's share of a bonus premium: rate (per cent, both halves) on the
// standard amount, halved; 50 sen and less down, more up.
long long bonusPremium(double ratePercent, long long standardAmount);

// The health standard amount of a bonus after the fiscal year's cap, given the amounts
// counted earlier in the year.
long long bonusHealthStandard(long long bonus, long long healthStandardEarlier);

// A new, empty bonus statement of the pay month.
MeisaiRecord newBonusStatement(const QString& cid, const QString& payMonth, const QString& employeeCode,
                               const QString& employeeKind, int dependants, const QString& healthKind);

// "yyyymm" of the month before the pay month (December of the year before for January).
QString previousPayMonth(const QString& payMonth);
// "yyyy04": the first month of the fiscal year the pay month belongs to.
QString fiscalYearStart(const QString& payMonth);

} // namespace minasel::payroll
