#include "payroll/syoyocalculator.h"

#include <algorithm>
#include <cmath>

namespace minasel::payroll {

namespace {
// Rates in 1/100,000 of a per cent keep every decimal a rate is typed with, and the
// half is exact: a fraction of 50 sen goes down and anything above it up, also where
// taking a hundredth of a yen off would not tell.
constexpr long long kFineScale = 100'000;

long long fineRate(double ratePercent)
{
    return std::llround(ratePercent * double(kFineScale));
}
} // namespace

long long bonusPremium(double ratePercent, long long standardAmount)
{
    return halfPremium(standardAmount, fineRate(ratePercent), kFineScale);
}

long long bonusHealthStandard(long long bonus, long long healthStandardEarlier)
{
    const long long standard = std::max(0LL, bonus / 1000 * 1000);
    return std::clamp(kHealthBonusYearCap - healthStandardEarlier, 0LL, standard);
}

SyoyoResult calculateSyoyo(const MeisaiRecord& input, const SyoyoParameters& p)
{
    SyoyoResult out;
    MeisaiRecord& r = out.statement;
    r = input;
    const long long bonus = r.kihonkyu;

    out.standardAmount = std::max(0LL, bonus / 1000 * 1000);
    out.pensionStandard = std::min(out.standardAmount, kPensionBonusCap);
    out.healthStandard = bonusHealthStandard(bonus, p.healthStandardEarlier);
    const double healthRate = r.healthKind == QLatin1String("1") ? p.rates.healthRateCare : p.rates.healthRate;
    // Health, care and the levy are added first and rounded once.
    if (p.age.health) {
        out.computedHealth = halfPremium(out.healthStandard, fineRate(healthRate) + p.shienRate * (kFineScale / 1000),
                                         kFineScale);
        out.shienPart = halfPremium(out.healthStandard, p.shienRate);
    }
    if (p.insured && !p.healthTyped)
        r.health = out.computedHealth;
    if (p.insured && !p.pensionTyped)
        r.pension = p.age.pension ? bonusPremium(p.rates.pensionRate, out.pensionStandard) : 0;
    if (p.switches.computeEmploymentInsurance)
        r.employmentInsurance = employmentInsurancePremium(p.rates.employmentInsuranceRate, std::max(0LL, bonus));

    out.socialInsurance = r.health + r.pension + r.employmentInsurance;
    out.afterSocialInsurance = bonus - out.socialInsurance;
    if (p.switches.computeTax) {
        out.taxResult = bonusWithholding(r.payMonth, out.afterSocialInsurance, p.previousPay, r.dependants);
        out.taxComputed = true;
        r.tax = out.taxResult.tax;
    }
    out.deductionTotal = out.socialInsurance + r.tax + r.deductions[0] + r.deductions[1];
    out.netPayment = bonus - out.deductionTotal;
    return out;
}

MeisaiRecord newBonusStatement(const QString& cid, const QString& payMonth, const QString& employeeCode,
                               const QString& employeeKind, int dependants, const QString& healthKind)
{
    MeisaiRecord r;
    r.cid = cid;
    r.payMonth = payMonth;
    r.employeeCode = employeeCode;
    r.kind = QStringLiteral("2");
    r.employeeKind = employeeKind;
    r.dependants = dependants;
    r.healthKind = healthKind;
    return r;
}

QString previousPayMonth(const QString& payMonth)
{
    const int year = payMonth.left(4).toInt();
    const int month = payMonth.mid(4, 2).toInt();
    if (month <= 1)
        return QStringLiteral("%1").arg(year - 1, 4, 10, QLatin1Char('0')) + QStringLiteral("12");
    return QStringLiteral("%1%2").arg(payMonth.left(4)).arg(month - 1, 2, 10, QLatin1Char('0'));
}

QString fiscalYearStart(const QString& payMonth)
{
    const int year = payMonth.left(4).toInt();
    const int month = payMonth.mid(4, 2).toInt();
    return QStringLiteral("%1").arg(month >= 4 ? year : year - 1, 4, 10, QLatin1Char('0')) + QStringLiteral("04");
}

} // namespace minasel::payroll
