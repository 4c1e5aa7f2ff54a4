#pragma once
#include <span>

// Year-end adjustment rules, one set per year in force, as data beside the one
// computation in nentyocalc.cpp.
namespace minasel::nentyo {

constexpr long long kNoLimit = 9'000'000'000'000'000LL;

// Salary income after the salary-income deduction for pay P in [from, to]:
// floor(base × percent / 100) + add, base = P or, when stepped, P brought down
// to a multiple of 4,000 yen (the steps of the year-end table).
struct SalaryIncomeRow {
    long long from;
    long long to;
    int percent;
    long long add;
    bool stepped;
};

struct AmountBand {
    long long upTo;  // inclusive
    long long amount;
};

// Annual tax on taxable income X (a multiple of 1,000): X × percent / 100 − subtrahend.
struct AnnualTaxBand {
    long long upTo;
    int percent;
    long long subtrahend;
};

struct YearEndRules {
    const char* name;
    int firstYear;
    int lastYear;
    std::span<const SalaryIncomeRow> salaryIncome;  // below the first row: 0
    std::span<const AmountBand> basicDeduction;      // by the employee's total income
    long long spouseIncomeLimit;                     // spouse deduction up to this income
    // 特定親族特別控除: relatives with income above the floor; 0 = not in force
    long long specificRelativeFloor;
    // Employees with a dependant under 23: new-type general life premiums use the
    // higher scale and the general part is capped at 60,000.
    bool youngDependantLifeInsurance;
};

std::span<const YearEndRules> yearEndRuleSets();  // oldest first
// The set for a year; a year after the newest set gets the newest set and *beyondNewest.
const YearEndRules& yearEndRulesFor(int year, bool* beyondNewest = nullptr);

// Bands shared by every year.
std::span<const AmountBand> specificRelativeBands();  // by the relative's income
std::span<const AnnualTaxBand> annualTaxBands();      // up to the year-end table's end
} // namespace minasel::nentyo
