#include "nentyo/nentyorules.h"

namespace minasel::nentyo {
namespace {

constexpr SalaryIncomeRow kR2Salary[] = {
    {551'000, 1'618'999, 100, -550'000, false},
    {1'619'000, 1'619'999, 0, 1'069'000, false},
    {1'620'000, 1'621'999, 0, 1'070'000, false},
    {1'622'000, 1'623'999, 0, 1'072'000, false},
    {1'624'000, 1'627'999, 0, 1'074'000, false},
    {1'628'000, 1'799'999, 60, 100'000, true},
    {1'800'000, 3'599'999, 70, -80'000, true},
    {3'600'000, 6'599'999, 80, -440'000, true},
    {6'600'000, 8'499'999, 90, -1'100'000, false},
    {8'500'000, kNoLimit, 100, -1'950'000, false},
};
constexpr SalaryIncomeRow kR7Salary[] = {
    {651'000, 1'899'999, 100, -650'000, false},
    {1'900'000, 3'599'999, 70, -80'000, true},
    {3'600'000, 6'599'999, 80, -440'000, true},
    {6'600'000, 8'499'999, 90, -1'100'000, false},
    {8'500'000, kNoLimit, 100, -1'950'000, false},
};
constexpr SalaryIncomeRow kR8Salary[] = {
    {741'000, 2'190'999, 100, -740'000, false},
    {2'191'000, 2'192'999, 0, 1'451'000, false},
    {2'193'000, 2'195'999, 0, 1'453'000, false},
    {2'196'000, 2'199'999, 0, 1'456'000, false},
    {2'200'000, 3'599'999, 70, -80'000, true},
    {3'600'000, 6'599'999, 80, -440'000, true},
    {6'600'000, 8'499'999, 90, -1'100'000, false},
    {8'500'000, kNoLimit, 100, -1'950'000, false},
};

constexpr AmountBand kR2Basic[] = {
    {24'000'000, 480'000}, {24'500'000, 320'000}, {25'000'000, 160'000}, {kNoLimit, 0},
};
constexpr AmountBand kR7Basic[] = {
    {1'320'000, 950'000},  {3'360'000, 880'000},  {4'890'000, 680'000},
    {6'550'000, 630'000},  {23'500'000, 580'000}, {24'000'000, 480'000},
    {24'500'000, 320'000}, {25'000'000, 160'000}, {kNoLimit, 0},
};
constexpr AmountBand kR8Basic[] = {
    {4'890'000, 1'040'000}, {6'550'000, 670'000},  {23'500'000, 620'000},
    {24'000'000, 480'000},  {24'500'000, 320'000}, {25'000'000, 160'000},
    {kNoLimit, 0},
};

constexpr YearEndRules kSets[] = {
    {"R2", 0, 2024, kR2Salary, kR2Basic, 480'000, 0, false},
    {"R7", 2025, 2025, kR7Salary, kR7Basic, 580'000, 580'000, false},
    {"R8", 2026, 2026, kR8Salary, kR8Basic, 620'000, 620'000, true},
    // 2027 keeps the 2026 amounts for everything computed here.
    {"R9", 2027, 2027, kR8Salary, kR8Basic, 620'000, 620'000, true},
};

constexpr AmountBand kSpecificRelative[] = {
    {850'000, 630'000},   {900'000, 610'000},   {950'000, 510'000},
    {1'000'000, 410'000}, {1'050'000, 310'000}, {1'100'000, 210'000},
    {1'150'000, 110'000}, {1'200'000, 60'000},  {1'230'000, 30'000},
    {kNoLimit, 0},
};

// The year-end table ends at 18,050,000: pay above 20,000,000 is not adjusted.
constexpr AnnualTaxBand kAnnualTax[] = {
    {1'950'000, 5, 0},          {3'300'000, 10, 97'500},    {6'950'000, 20, 427'500},
    {9'000'000, 23, 636'000},   {18'000'000, 33, 1'536'000}, {18'050'000, 40, 2'796'000},
};

} // namespace

std::span<const YearEndRules> yearEndRuleSets() { return kSets; }

const YearEndRules& yearEndRulesFor(int year, bool* beyondNewest)
{
    const std::span<const YearEndRules> sets = yearEndRuleSets();
    if (beyondNewest)
        *beyondNewest = year > sets.back().lastYear;
    for (const YearEndRules& r : sets)
        if (year <= r.lastYear)
            return r;
    return sets.back();
}

std::span<const AmountBand> specificRelativeBands() { return kSpecificRelative; }
std::span<const AnnualTaxBand> annualTaxBands() { return kAnnualTax; }

} // namespace minasel::nentyo
