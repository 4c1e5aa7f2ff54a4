#pragma once
#include "payroll/meisairecord.h"
#include "payroll/statementtypes.h"
#include "payroll/withholdingtax.h"

namespace minasel::payroll {

// A recomputed salary statement: the stored columns with every computed amount
// filled in, and the totals the screen shows but does not store.
struct KyuyoResult {
    MeisaiRecord statement;
    long long totalPay = 0;              // 総支給額
    long long nonTaxable = 0;            // the commuting allowance
    long long taxable = 0;
    long long socialInsurance = 0;       // health + pension + employment insurance
    long long afterSocialInsurance = 0;  // taxable pay minus social insurance
    long long deductionTotal = 0;        // tax + resident tax + other deductions (no social insurance)
    long long netPay = 0;                // 差引支給額
    bool taxComputed = false;
    TaxResult taxResult;                 // the engine's answer when the tax was computed
};

// The whole salary statement from its entered and master items, in this order:
// overtime lines, holiday work, call-outs, absence deduction, total pay (with the
// other allowances), taxable pay, employment insurance on total pay less directors'
// remuneration, social insurance, pay after it, income tax for the pay month,
// deduction total, net pay. An amount with a fraction of a yen becomes whole yen by
// wholeYen() on its own line, before anything adds it up. The employment insurance
// and the tax keep the statement's values when their switch is off.
KyuyoResult calculateKyuyo(const MeisaiRecord& input, const CompanyRates& rates, const StatementSwitches& switches);

// Basic pay of hourly staff: hours worked times the hourly rate, in whole yen.
long long basicPayFromHours(double hours, double hourlyRate);

// The name of other deduction n (1 to 5) where the employee has none: the box's own caption.
QString defaultDeductionCaption(int n);

// A new salary statement of the pay month from the employee's fixed items; other
// deductions without a name carry their box's caption, as the screen stores them.
MeisaiRecord newSalaryStatement(const EmployeeMaster& master, const QString& cid, const QString& payMonth);

// Pay after social insurance of a stored salary statement, as its own screen showed
// it (taxable pay, i.e. without the commuting allowance, less the three premiums).
long long salaryAfterSocialInsurance(const MeisaiRecord& salary);

} // namespace minasel::payroll
