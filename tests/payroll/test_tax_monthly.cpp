// Monthly withholding by the computer-calculation method, per rule set.
// Expected figures were worked out by hand from the published tables, not
// from this code.
#include "payroll/taxrules.h"
#include "payroll/withholdingtax.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace minasel::payroll;

namespace {

const MonthlyRules& monthlySet(const std::string& name)
{
    for (const MonthlyRules& r : monthlyRuleSets())
        if (name == r.name)
            return r;
    throw std::runtime_error("no rule set " + name);
}

struct MonthCase {
    const char* month;
    long long pay;
    int dependants;
    long long tax;
};

void PrintTo(const MonthCase& c, std::ostream* os)
{
    *os << c.month << " pay " << c.pay << " dependants " << c.dependants;
}

class MonthlyTax : public ::testing::TestWithParam<MonthCase> {};

TEST_P(MonthlyTax, MatchesTheTables)
{
    const MonthCase& c = GetParam();
    EXPECT_EQ(monthlyWithholding(QString::fromLatin1(c.month), c.pay, c.dependants).tax, c.tax);
}

// The worked examples that come with the older tables (2012 and before / 2013 on).
INSTANTIATE_TEST_SUITE_P(OlderTables, MonthlyTax, ::testing::Values(
    MonthCase{"201304", 87'000, 0, 0},
    MonthCase{"201304", 87'001, 0, 60},
    MonthCase{"201212", 87'001, 0, 60},
    MonthCase{"201304", 300'000, 0, 8'380},
    MonthCase{"201212", 300'000, 0, 8'210},
    MonthCase{"201301", 300'000, 0, 8'380},
    MonthCase{"201304", 300'000, 2, 5'110},
    MonthCase{"201304", 1'000'000, 1, 120'840},
    MonthCase{"201304", 4'000'000, 0, 1'327'130},
    // Large deductions leave a negative base: nothing, never a negative tax.
    MonthCase{"201304", 150'000, 7, 0}));

// The developer examples for 2020-2025 (R2) and 2026 (R8).
INSTANTIATE_TEST_SUITE_P(R2AndR8, MonthlyTax, ::testing::Values(
    MonthCase{"202001", 88'000, 0, 110},      MonthCase{"202512", 88'000, 0, 110},
    MonthCase{"202601", 88'000, 0, 0},
    MonthCase{"202512", 105'000, 0, 980},     MonthCase{"202601", 105'000, 0, 130},
    MonthCase{"202512", 300'000, 0, 8'380},   MonthCase{"202601", 300'000, 0, 7'910},
    MonthCase{"202512", 300'000, 2, 5'100},   MonthCase{"202601", 300'000, 2, 4'680},
    MonthCase{"202512", 1'000'000, 0, 138'010}, MonthCase{"202601", 1'000'000, 0, 135'210},
    MonthCase{"202512", 1'300'000, 1, 228'420}, MonthCase{"202612", 1'300'000, 1, 225'620},
    MonthCase{"202512", 4'000'000, 0, 1'355'080}, MonthCase{"202601", 4'000'000, 0, 1'355'080},
    // 201912 is the last month of the 2013 table, 202001 the first of R2.
    MonthCase{"201912", 200'000, 0, 4'770},   MonthCase{"202001", 200'000, 0, 4'760}));

// 2027 on (R9) and the zero bands of each year's printed table.
INSTANTIATE_TEST_SUITE_P(R9AndZeroBands, MonthlyTax, ::testing::Values(
    MonthCase{"202701", 300'000, 0, 7'740},   MonthCase{"202701", 300'000, 2, 4'510},
    MonthCase{"202512", 87'000, 0, 0},        MonthCase{"202512", 87'001, 0, 60},
    MonthCase{"202601", 104'999, 0, 0},       // 105,000 is among the examples above
    MonthCase{"202701", 110'999, 0, 0},       MonthCase{"202701", 111'000, 0, 90}));

// Whole computations at random pays and dependants, worked out independently.
INSTANTIATE_TEST_SUITE_P(Spread, MonthlyTax, ::testing::Values(
    MonthCase{"201106", 2856009, 0, 820070}, MonthCase{"201106", 961913, 0, 117310}, MonthCase{"201106", 346042, 6, 510},
    MonthCase{"201106", 299242, 6, 0}, MonthCase{"201106", 110990, 0, 1260}, MonthCase{"201106", 382568, 3, 6720},
    MonthCase{"201106", 104422, 4, 0}, MonthCase{"201106", 299749, 4, 1820}, MonthCase{"201106", 373736, 3, 6370},
    MonthCase{"201106", 3497406, 1, 1063960}, MonthCase{"201106", 375891, 7, 120}, MonthCase{"201106", 848363, 7, 46560},
    MonthCase{"201508", 875198, 3, 78610}, MonthCase{"201508", 174249, 1, 2230}, MonthCase{"201508", 714834, 5, 35780},
    MonthCase{"201508", 315318, 1, 7350}, MonthCase{"201508", 838433, 2, 77950}, MonthCase{"201508", 1364447, 1, 243120},
    MonthCase{"201508", 1000861, 5, 91290}, MonthCase{"201508", 3283205, 7, 921230}, MonthCase{"201508", 498142, 1, 22880},
    MonthCase{"201508", 1166676, 7, 115360}, MonthCase{"201508", 2818126, 5, 757160}, MonthCase{"201508", 91829, 1, 0},
    MonthCase{"202207", 461818, 2, 15130}, MonthCase{"202207", 817225, 1, 82810}, MonthCase{"202207", 2884618, 4, 822090},
    MonthCase{"202207", 4823813, 4, 1675380}, MonthCase{"202207", 776198, 3, 61380}, MonthCase{"202207", 159126, 3, 0},
    MonthCase{"202207", 3234081, 2, 990680}, MonthCase{"202207", 217754, 6, 0}, MonthCase{"202207", 3757738, 5, 1171020},
    MonthCase{"202207", 4803754, 0, 1724360}, MonthCase{"202207", 4546522, 6, 1518880}, MonthCase{"202207", 288703, 7, 0},
    MonthCase{"202603", 289947, 3, 2700}, MonthCase{"202603", 570187, 0, 39830}, MonthCase{"202603", 133676, 1, 0},
    MonthCase{"202603", 270636, 3, 2010}, MonthCase{"202603", 555766, 5, 12310}, MonthCase{"202603", 395767, 1, 12120},
    MonthCase{"202603", 888625, 4, 76170}, MonthCase{"202603", 1628605, 5, 293650}, MonthCase{"202603", 4676471, 2, 1636780},
    MonthCase{"202603", 2060734, 5, 452940}, MonthCase{"202603", 156861, 4, 0}, MonthCase{"202603", 1130015, 5, 125660},
    MonthCase{"202711", 167578, 5, 0}, MonthCase{"202711", 196938, 3, 0}, MonthCase{"202711", 290074, 3, 2540},
    MonthCase{"202711", 2691337, 0, 794880}, MonthCase{"202711", 692991, 3, 42320}, MonthCase{"202711", 3075808, 5, 887240},
    MonthCase{"202711", 271174, 3, 1860}, MonthCase{"202711", 326457, 7, 0}, MonthCase{"202711", 3211057, 5, 942470},
    MonthCase{"202711", 1092674, 3, 133300}, MonthCase{"202711", 3020013, 5, 864450}, MonthCase{"202711", 1156888, 6, 122930}));

enum class Table { Income, Basic, Rate };
using enum Table;

struct BandCase {
    Table table;
    const char* set;
    long long limit;
    long long below, at, above;   // at limit − 1, limit and limit + 1
};

void PrintTo(const BandCase& c, std::ostream* os) { *os << c.set << " table " << int(c.table) << " at " << c.limit; }

class MonthlyBands : public ::testing::TestWithParam<BandCase> {};
TEST_P(MonthlyBands, EveryBoundaryAndItsRounding)
{
    const BandCase& c = GetParam();
    const MonthlyRules& r = monthlySet(c.set);
    auto amount = [&](long long a) -> long long {
        switch (c.table) {
        case Income: return bandAmount(r.employmentIncomeDeduction, r.limitsInclusive, a);
        case Basic: return bandAmount(r.basicDeduction, r.limitsInclusive, a);
        case Rate: break;
        }
        return taxOnBase(r, a);
    };
    EXPECT_EQ(amount(c.limit - 1), c.below);
    EXPECT_EQ(amount(c.limit), c.at);
    EXPECT_EQ(amount(c.limit + 1), c.above);
}
// Every limit of the employment-income deduction, the basic deduction and the
// rate table; fractions of a yen round up.
INSTANTIATE_TEST_SUITE_P(Boundaries, MonthlyBands, ::testing::Values(
    BandCase{Income, "R2", 135416, 45834, 45834, 45834},
    BandCase{Income, "R2", 149999, 51667, 51667, 51667},
    BandCase{Income, "R2", 299999, 96667, 96667, 96667},
    BandCase{Income, "R2", 549999, 146667, 146667, 146667},
    BandCase{Income, "R2", 708330, 162500, 162500, 162500},
    BandCase{Income, "R8", 158333, 54167, 54167, 54168},
    BandCase{Income, "R8", 299999, 96667, 96667, 96667},
    BandCase{Income, "R8", 549999, 146667, 146667, 146667},
    BandCase{Income, "R8", 708330, 162500, 162500, 162500},
    BandCase{Income, "R9", 169444, 57500, 57500, 57501},
    BandCase{Income, "R9", 299999, 96667, 96667, 96667},
    BandCase{Income, "R9", 549999, 146667, 146667, 146667},
    BandCase{Income, "R9", 708330, 162500, 162500, 162500},
    BandCase{Income, "H24", 135416, 54167, 54167, 54167},
    BandCase{Income, "H24", 149999, 60000, 60000, 60000},
    BandCase{Income, "H24", 299999, 105000, 105000, 105000},
    BandCase{Income, "H24", 549999, 155000, 155000, 155000},
    BandCase{Income, "H24", 833333, 183334, 183334, 183334},
    BandCase{Income, "H24", 999999, 191667, 191667, 191667},
    BandCase{Basic, "R2", 2162499, 40000, 40000, 26667},
    BandCase{Basic, "R2", 2204166, 26667, 26667, 13334},
    BandCase{Basic, "R2", 2245833, 13334, 13334, 0},
    BandCase{Basic, "R8", 2120833, 48334, 48334, 40000},
    BandCase{Basic, "R8", 2162499, 40000, 40000, 26667},
    BandCase{Basic, "R8", 2204166, 26667, 26667, 13334},
    BandCase{Basic, "R8", 2245833, 13334, 13334, 0},
    BandCase{Basic, "R9", 2120833, 51667, 51667, 40000},
    BandCase{Basic, "R9", 2162499, 40000, 40000, 26667},
    BandCase{Basic, "R9", 2204166, 26667, 26667, 13334},
    BandCase{Basic, "R9", 2245833, 13334, 13334, 0},
    BandCase{Rate, "R8", 162500, 8300, 8300, 8300},
    BandCase{Rate, "R8", 275000, 19780, 19780, 19780},
    BandCase{Rate, "R8", 579166, 81890, 81890, 81890},
    BandCase{Rate, "R8", 750000, 122010, 122010, 122010},
    BandCase{Rate, "R8", 1500000, 374710, 374710, 374710},
    BandCase{Rate, "R8", 3333333, 1123440, 1123440, 1123440},
    BandCase{Rate, "H25", 162500, 8300, 8300, 8300},
    BandCase{Rate, "H25", 275000, 19780, 19780, 19780},
    BandCase{Rate, "H25", 579166, 81890, 81890, 81890},
    BandCase{Rate, "H25", 750000, 122010, 122010, 122010},
    BandCase{Rate, "H25", 1500000, 374710, 374710, 374710},
    BandCase{Rate, "H25", 3333333, 1123440, 1123440, 1123440},
    BandCase{Rate, "H24", 162500, 8130, 8130, 8130},
    BandCase{Rate, "H24", 275000, 19380, 19380, 19380},
    BandCase{Rate, "H24", 579166, 80210, 80210, 80210},
    BandCase{Rate, "H24", 750000, 119500, 119500, 119500},
    BandCase{Rate, "H24", 1500000, 367000, 367000, 367000}));

TEST(MonthlyRounding, TensAndYen)
{
    // 2020 on: the exact amount to the nearest ten, 5 yen and more up.
    const MonthlyRules& r8 = monthlySet("R8");
    EXPECT_EQ(taxOnBase(r8, 1'077), 50);    // 54.98
    EXPECT_EQ(taxOnBase(r8, 1'078), 60);    // 55.03
    EXPECT_EQ(taxOnBase(r8, 1'069), 50);    // 54.57: the fraction does not lift 54 to 55
    // Up to 2019: first to the yen (an exact half to even), then to tens.
    EXPECT_EQ(taxOnBase(monthlySet("H25"), 1'069), 60);   // 54.57 → 55 → 60
    const MonthlyRules& h24 = monthlySet("H24");
    EXPECT_EQ(taxOnBase(h24, 1'090), 50);   // 54.5 → 54 (ties to even) → 50
    EXPECT_EQ(taxOnBase(h24, 1'110), 60);   // 55.5 → 56 → 60
    EXPECT_EQ(taxOnBase(h24, 1'290), 60);   // 64.5 → 64 → 60
}

TEST(MonthlyPeriods, EachMonthItsRuleSet)
{
    struct {
        const char* month;
        const char* rules;
        bool missing;
        int rulesYear;
    } cases[] = {
        {"199901", "H24", false, 1999}, {"201212", "H24", false, 2012}, {"201301", "H25", false, 2013},
        {"201912", "H25", false, 2019}, {"202001", "R2", false, 2020},  {"202512", "R2", false, 2025},
        {"202601", "R8", false, 2026},  {"202612", "R8", false, 2026},  {"202701", "R9", false, 2027},
        {"202712", "R9", false, 2027},  {"202801", "R9", true, 2027},   {"203005", "R9", true, 2027},
    };
    for (const auto& c : cases) {
        const TaxResult r = monthlyWithholding(QString::fromLatin1(c.month), 300'000, 0);
        EXPECT_EQ(r.rules, QString::fromLatin1(c.rules)) << c.month;
        EXPECT_EQ(r.newerRulesMissing, c.missing) << c.month;
        EXPECT_EQ(r.requestedYear, QString::fromLatin1(c.month).left(4).toInt()) << c.month;
        EXPECT_EQ(r.rulesYear, c.rulesYear) << c.month;
        EXPECT_EQ(rulesNotice(r).isEmpty(), !c.missing) << c.month;
        EXPECT_TRUE(r.error.isEmpty());
    }
    // Beyond the newest set, the newest is used and the notice says so.
    const TaxResult r = monthlyWithholding(QStringLiteral("202803"), 300'000, 0);
    EXPECT_EQ(r.tax, 7'740);
    EXPECT_EQ(rulesNotice(r), QStringLiteral("2028年分の税額表は未収録のため、2027年分で計算しています。"));
}

TEST(MonthlyPeriods, ABadMonthIsRefusedNotGuessed)
{
    for (const char* m : {"", "2026", "202613", "202600", "2026-1", "20261a", "0000 1"}) {
        const TaxResult r = monthlyWithholding(QString::fromLatin1(m), 300'000, 0);
        EXPECT_FALSE(r.error.isEmpty()) << m;
        EXPECT_EQ(r.tax, 0) << m;
    }
}

// Properties over every rule set: never negative, never falling as pay rises,
// never rising with more dependants.
TEST(MonthlyProperties, NonNegativeAndMonotonic)
{
    for (const MonthlyRules& r : monthlyRuleSets()) {
        long long previous = 0;
        for (long long pay = 0; pay <= 2'400'000; pay += 7) {
            const long long tax = monthlyTaxWith(r, pay, 0);
            ASSERT_GE(tax, 0) << r.name << " " << pay;
            ASSERT_GE(tax, previous) << r.name << " " << pay;
            previous = tax;
        }
        for (long long pay : {90'000LL, 250'000LL, 600'000LL, 1'500'000LL, 5'000'000LL})
            for (int n = 0; n < 10; ++n)
                ASSERT_LE(monthlyTaxWith(r, pay, n + 1), monthlyTaxWith(r, pay, n)) << r.name << " " << pay;
        EXPECT_EQ(monthlyTaxWith(r, -50'000, 0), 0);
        // A negative count is read as none rather than raising the tax.
        EXPECT_EQ(monthlyTaxWith(r, 400'000, -3), monthlyTaxWith(r, 400'000, 0));
    }
}

} // namespace
