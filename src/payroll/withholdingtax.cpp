#include "payroll/withholdingtax.h"

#include "payroll/taxrules.h"

#include <algorithm>

namespace minasel::payroll {
namespace {

constexpr long long kRateUnit = 100'000;  // rates are held in 1/100000

long long ceilDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && ((a > 0) == (b > 0))) ? q + 1 : q;
}

// a / b to the nearest whole number, an exact half to the even one (b > 0, a ≥ 0).
__int128 divRoundHalfEven(__int128 a, __int128 b)
{
    __int128 q = a / b;
    const __int128 twice = 2 * (a % b);
    if (twice > b || (twice == b && q % 2 != 0))
        ++q;
    return q;
}

bool inBand(long long value, long long limit, bool inclusive)
{
    return inclusive ? value <= limit : value < limit;
}

QString invalidMonthMessage()
{
    return QStringLiteral("支給年月が正しくありません。");
}

TaxResult periodResult(int yyyymm, const char* rulesName, int lastMonth, bool beyond)
{
    TaxResult r;
    r.rules = QString::fromLatin1(rulesName);
    r.newerRulesMissing = beyond;
    r.requestedYear = yyyymm / 100;
    r.rulesYear = beyond ? lastMonth / 100 : r.requestedYear;
    return r;
}

} // namespace

long long bandAmount(std::span<const DeductionBand> bands, bool limitsInclusive, long long base)
{
    for (const DeductionBand& b : bands) {
        if (inBand(base, b.limit, limitsInclusive) || b.limit == kNoLimit)
            return (b.percentBp == 0 ? 0 : ceilDiv(base * b.percentBp, 10'000)) + b.add;
    }
    return 0;
}

long long monthlyTaxWith(const MonthlyRules& rules, long long pay, int dependants)
{
    dependants = std::max(dependants, 0);
    if (pay <= rules.zeroUpTo)
        return 0;
    const long long income = bandAmount(rules.employmentIncomeDeduction, rules.limitsInclusive, pay);
    const long long basic = rules.basicAsDependantShare
        ? rules.perDependant
        : bandAmount(rules.basicDeduction, rules.limitsInclusive, pay);
    const long long base = pay - income - basic - rules.perDependant * dependants;
    if (base <= 0)
        return 0;
    return taxOnBase(rules, base);
}

long long taxOnBase(const MonthlyRules& rules, long long base)
{
    if (base <= 0)
        return 0;
    const RateBand* band = &rules.rates.back();
    for (const RateBand& r : rules.rates)
        if (inBand(base, r.limit, rules.limitsInclusive)) {
            band = &r;
            break;
        }
    const __int128 exact = static_cast<__int128>(base) * band->rate
        - static_cast<__int128>(band->subtrahend) * kRateUnit;  // in 1/100000 yen
    if (exact <= 0)
        return 0;
    switch (rules.rounding) {
    case TaxRounding::YenThenTens: {
        const __int128 yen = divRoundHalfEven(exact, kRateUnit);
        return static_cast<long long>((yen + 5) / 10 * 10);
    }
    case TaxRounding::NearestTen:
        return static_cast<long long>((exact + 5 * kRateUnit) / (10 * kRateUnit) * 10);
    }
    return 0;
}

int bonusRateWith(const BonusRules& rules, long long previousPay, int dependants)
{
    const int column = std::clamp(dependants, 0, kBonusColumns - 1);
    const std::span<const int> bounds = rules.lowerBoundsThousand[column];
    int rate = 0;
    for (size_t i = 0; i < bounds.size() && i < rules.rates.size(); ++i) {
        if (previousPay < static_cast<long long>(bounds[i]) * 1000)
            break;
        rate = rules.rates[i];
    }
    return rate;
}

long long bonusTaxAtRate(const BonusRules& rules, long long bonus, int rate)
{
    if (bonus <= 0 || rate <= 0)
        return 0;
    const __int128 exact = static_cast<__int128>(bonus) * rate;
    return static_cast<long long>(rules.rounding == BonusRounding::TruncateYen
                                      ? exact / kRateUnit
                                      : divRoundHalfEven(exact, kRateUnit));
}

int parsePayMonth(const QString& payMonth)
{
    const QString t = payMonth.trimmed();
    if (t.size() != 6)
        return 0;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    const int value = t.toInt();
    const int month = value % 100;
    if (month < 1 || month > 12 || value / 100 < 1)
        return 0;
    return value;
}

TaxResult monthlyWithholding(const QString& payMonth, long long payAfterSocialInsurance, int dependants)
{
    const int month = parsePayMonth(payMonth);
    if (month == 0) {
        TaxResult r;
        r.error = invalidMonthMessage();
        return r;
    }
    bool beyond = false;
    const MonthlyRules& rules = monthlyRulesFor(month, &beyond);
    TaxResult r = periodResult(month, rules.name, rules.lastMonth, beyond);
    r.tax = monthlyTaxWith(rules, payAfterSocialInsurance, dependants);
    return r;
}

TaxResult bonusWithholding(const QString& payMonth, long long bonusAfterSocialInsurance,
                           std::optional<long long> previousPay, int dependants)
{
    const int month = parsePayMonth(payMonth);
    if (month == 0) {
        TaxResult r;
        r.error = invalidMonthMessage();
        return r;
    }
    const long long bonus = bonusAfterSocialInsurance;
    const long long previous = previousPay.value_or(0);
    const bool noSalary = !previousPay || previous <= 0;
    if (bonus > 0 && (noSalary || static_cast<__int128>(bonus) > static_cast<__int128>(previous) * 10)) {
        // The rate table does not apply: spread the bonus over six months and
        // withhold six times the extra monthly tax it causes.
        bool beyond = false;
        const MonthlyRules& rules = monthlyRulesFor(month, &beyond);
        TaxResult r = periodResult(month, rules.name, rules.lastMonth, beyond);
        const long long base = noSalary ? 0 : previous;
        const long long extra = monthlyTaxWith(rules, bonus / 6 + base, dependants)
            - monthlyTaxWith(rules, base, dependants);
        r.tax = std::max(extra, 0LL) * 6;
        return r;
    }
    bool beyond = false;
    const BonusRules& rules = bonusRulesFor(month, &beyond);
    TaxResult r = periodResult(month, rules.name, rules.lastMonth, beyond);
    r.tax = bonusTaxAtRate(rules, bonus, bonusRateWith(rules, previous, dependants));
    return r;
}

long long employmentInsurancePremium(double rate, long long base)
{
    if (!(rate > 0) || base == 0)
        return 0;
    // The rate comes from a single-precision column: hold it in 1/100000000 so
    // that 0.005 stored as 0.00499999988… is exactly 0.005 again.
    constexpr long long unit = 100'000'000;
    const long long rateUnits = static_cast<long long>(rate * unit + 0.5);
    const long long magnitude = base < 0 ? -base : base;
    const __int128 exact = static_cast<__int128>(magnitude) * rateUnits;
    long long premium = static_cast<long long>(exact / unit);
    // The employee's share: 50 sen and less is dropped, more than 50 sen is a yen.
    if (2 * static_cast<long long>(exact % unit) > unit)
        ++premium;
    return base < 0 ? -premium : premium;
}

QString rulesNotice(const TaxResult& r)
{
    if (!r.newerRulesMissing)
        return QString();
    return QStringLiteral("%1年分の税額表は未収録のため、%2年分で計算しています。")
        .arg(r.requestedYear)
        .arg(r.rulesYear);
}

} // namespace minasel::payroll
