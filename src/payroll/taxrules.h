#pragma once
#include <span>

// Withholding rule sets, one per period in force. Each set is pure data; the
// algorithms in withholdingtax.cpp read whichever set the pay month selects, so
// a new year of law is one more entry in taxrules.cpp.
namespace minasel::payroll {

// Amount = ceil(base × percentBp / 10000) + add within a band; percentBp 0
// makes the band a fixed amount.
struct DeductionBand {
    long long limit;   // upper bound of the band; the last band uses kNoLimit
    int percentBp;     // basis points of the base
    long long add;
};

// tax = B × rate − subtrahend, rate in units of 1/100000 (5.105 % = 5105).
struct RateBand {
    long long limit;
    int rate;
    long long subtrahend;
};

constexpr long long kNoLimit = 9'000'000'000'000'000LL;

enum class TaxRounding {
    // To the whole yen (ties to even), then 5 yen and more up to the next ten:
    // the arithmetic of the older program, kept for the months it covered.
    YenThenTens,
    // The exact amount straight to the nearest ten yen, 5 yen and more up.
    NearestTen,
};

struct MonthlyRules {
    const char* name;
    int firstMonth;        // yyyymm
    int lastMonth;         // yyyymm, the last month this set is known to cover
    bool limitsInclusive;  // a band "up to L" includes L (else "below L")
    long long zeroUpTo;    // pay up to and including this withholds nothing
    std::span<const DeductionBand> employmentIncomeDeduction;
    std::span<const DeductionBand> basicDeduction;
    // true: the basic deduction is one more dependant share (the older method)
    bool basicAsDependantShare;
    long long perDependant;
    std::span<const RateBand> rates;
    TaxRounding rounding;
};

enum class BonusRounding {
    NearestYenTiesEven,  // the older program's conversion, kept for its months
    TruncateYen,
};

constexpr int kBonusColumns = 8;  // 0 … 6 dependants, then 7 or more

struct BonusRules {
    const char* name;
    int firstMonth;
    int lastMonth;
    std::span<const int> rates;                     // 1/100000 units, ascending
    std::span<const int> lowerBoundsThousand[kBonusColumns];  // 千円, one per rate
    BonusRounding rounding;
};

// All sets, oldest first; the newest set is the last entry.
std::span<const MonthlyRules> monthlyRuleSets();
std::span<const BonusRules> bonusRuleSets();

// The set in force in pay month yyyymm. A month after the newest set's last
// month gets the newest set and *beyondNewest = true.
const MonthlyRules& monthlyRulesFor(int yyyymm, bool* beyondNewest = nullptr);
const BonusRules& bonusRulesFor(int yyyymm, bool* beyondNewest = nullptr);

// The one algorithm over any set (withholdingtax.cpp).
long long bandAmount(std::span<const DeductionBand> bands, bool limitsInclusive, long long base);
long long monthlyTaxWith(const MonthlyRules& rules, long long pay, int dependants);
// The rate table and the rounding applied to the taxable base B.
long long taxOnBase(const MonthlyRules& rules, long long base);
// The rate (1/100000) the previous month's pay selects; 0 below the first bound.
int bonusRateWith(const BonusRules& rules, long long previousPay, int dependants);
long long bonusTaxAtRate(const BonusRules& rules, long long bonus, int rate);

} // namespace minasel::payroll
