#include "payroll/kyuyocalculator.h"

#include <algorithm>

namespace minasel::payroll {

KyuyoResult calculateKyuyo(const MeisaiRecord& input, const CompanyRates& rates, const StatementSwitches& switches)
{
    KyuyoResult out;
    MeisaiRecord& r = out.statement;
    r = input;

    // 1-4: the computed pay lines and the absence deduction, each in whole yen.
    for (size_t i = 0; i < r.overtimePay.size(); ++i)
        r.overtimePay[i] = wholeYen(r.overtimeHours[i] * r.hourlyRate * rates.overtimeFactors[i]);
    r.holidayPay = wholeYen(rates.holidayDayRate * r.holidayDays);
    r.callOutPay = wholeYen(rates.callOutRate * r.callOuts);
    r.absenceDeduction = wholeYen(r.hourlyRate * r.absenceHours);

    // 5-7: total pay including the other allowances; the commuting allowance is not taxed.
    out.totalPay = r.payColumnsTotal();
    out.nonTaxable = r.commuting;
    out.taxable = out.totalPay - out.nonTaxable;

    // 8: employment insurance on everything but directors' remuneration.
    if (switches.computeEmploymentInsurance) {
        const long long base = std::max(0LL, out.totalPay - r.yhosyu);
        r.employmentInsurance = employmentInsurancePremium(rates.employmentInsuranceRate, base);
    }

    // 9-11
    out.socialInsurance = r.health + r.pension + r.employmentInsurance;
    out.afterSocialInsurance = out.taxable - out.socialInsurance;
    if (switches.computeTax) {
        out.taxResult = monthlyWithholding(r.payMonth, out.afterSocialInsurance, r.dependants);
        out.taxComputed = true;
        r.tax = out.taxResult.tax;
    }

    // 12-13: social insurance is not part of the deduction total here.
    out.deductionTotal = r.tax + r.residentTax;
    for (long long d : r.deductions)
        out.deductionTotal += d;
    out.netPay = out.afterSocialInsurance - out.deductionTotal + out.nonTaxable + r.yearEndAdjustment;
    return out;
}

QString defaultDeductionCaption(int n)
{
    static const char16_t* const digits[] = {u"１", u"２", u"３", u"４", u"５"};
    return QStringLiteral("その他控除") + QString::fromUtf16(digits[std::clamp(n, 1, 5) - 1]);
}

long long basicPayFromHours(double hours, double hourlyRate)
{
    return wholeYen(hours * hourlyRate);
}

MeisaiRecord newSalaryStatement(const EmployeeMaster& m, const QString& cid, const QString& payMonth)
{
    MeisaiRecord r;
    r.cid = cid;
    r.payMonth = payMonth;
    r.employeeCode = m.code;
    r.kind = QStringLiteral("1");
    r.employeeKind = m.employeeKind;
    r.kihonkyu = m.kihonkyu;
    r.yhosyu = m.yhosyu;
    r.food = m.food;
    r.commuting = m.commuting;
    r.qualification = m.qualification;
    r.housing = m.housing;
    r.family = m.family;
    r.additional = m.additional;
    r.allowanceNames = m.allowanceNames;
    r.allowances = m.allowances;
    r.hourlyRate = m.hourlyRate;
    r.health = m.health;
    r.pension = m.pension;
    r.residentTax = m.residentTax;
    r.deductionNames = m.deductionNames;
    for (int i = 0; i < MeisaiRecord::kDeductions; ++i)
        if (r.deductionNames[size_t(i)].trimmed().isEmpty())
            r.deductionNames[size_t(i)] = defaultDeductionCaption(i + 1);
    r.deductions = m.deductions;
    r.dependants = m.dependants;
    r.healthKind = m.healthKind;
    return r;
}

long long salaryAfterSocialInsurance(const MeisaiRecord& s)
{
    return s.payColumnsTotal() - s.commuting - s.health - s.pension - s.employmentInsurance;
}

} // namespace minasel::payroll
