// Bonus withholding and the employment-insurance premium.
#include "payroll/taxrules.h"
#include "payroll/withholdingtax.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace minasel::payroll;

namespace {

const BonusRules& bonusSet(const std::string& name)
{
    for (const BonusRules& r : bonusRuleSets())
        if (name == r.name)
            return r;
    throw std::runtime_error("no rule set " + name);
}

// The printed tables, typed again in their printed layout: the older ones one
// line per rate ("rate%: bound for 0 … 7+ dependants", 千円), the newer ones one
// line per dependants column.
const char* const kH24Rows = R"(
2: 68 94 133 171 210 243 275 308
4: 79 243 269 295 300 300 333 372
6: 252 282 312 345 378 406 431 456
8: 300 338 369 398 424 450 476 502
10: 334 365 393 417 444 472 499 527
12: 363 394 420 445 470 496 525 553
14: 395 422 450 477 504 531 559 588
16: 426 455 484 513 543 574 604 632
18: 550 550 550 557 592 622 652 683
20: 668 689 710 730 751 771 792 812
22: 714 738 762 786 810 834 859 884
24: 750 775 801 826 852 879 905 932
26: 791 817 844 872 901 929 957 985
28: 847 876 905 934 963 992 1021 1050
30: 917 949 980 1012 1043 1074 1106 1137
32: 1280 1304 1328 1352 1377 1401 1425 1449
35: 1482 1510 1538 1566 1594 1622 1651 1679
38: 1761 1794 1828 1861 1894 1928 1961 1994)";

const char* const kH25Rows = R"(
2.042: 68 94 133 171 210 243 275 308
4.084: 79 243 269 295 300 300 333 372
6.126: 252 282 312 345 378 406 431 456
8.168: 300 338 369 398 424 450 476 502
10.21: 334 365 393 417 444 472 499 527
12.252: 363 394 420 445 470 496 525 553
14.294: 395 422 450 477 504 531 559 588
16.336: 426 455 484 513 543 574 604 632
18.378: 550 550 550 557 592 622 652 683
20.42: 668 689 710 730 751 771 792 812
22.462: 714 738 762 786 810 834 859 884
24.504: 750 775 801 826 852 879 902 925
26.546: 791 817 844 872 898 922 947 971
28.588: 847 876 901 925 949 973 997 1021
30.63: 910 936 962 987 1013 1038 1064 1089
32.672: 997 1003 1031 1058 1086 1113 1140 1168
35.735: 1337 1362 1386 1410 1435 1459 1484 1508
38.798: 1551 1579 1607 1636 1664 1692 1720 1749
40.84: 1735 1767 1799 1830 1862 1894 1925 1957)";

const char* const kNewRates =
    "2.042 4.084 6.126 8.168 10.210 12.252 14.294 16.336 18.378 20.420 "
    "22.462 24.504 26.546 28.588 30.630 32.672 35.735 38.798 41.861 45.945";

const char* const kH29Columns = R"(
68, 79, 252, 300, 334, 363, 395, 426, 550, 647, 699, 730, 764, 804, 857, 926, 1321, 1532, 2661, 3548
94, 243, 282, 338, 365, 394, 422, 455, 550, 663, 720, 752, 787, 826, 885, 956, 1346, 1560, 2685, 3580
133, 269, 312, 369, 393, 420, 450, 484, 550, 678, 741, 774, 810, 852, 914, 987, 1370, 1589, 2708, 3611
171, 295, 345, 398, 417, 445, 477, 513, 557, 693, 762, 796, 833, 879, 942, 1017, 1394, 1617, 2732, 3643
210, 300, 378, 424, 444, 470, 504, 543, 591, 708, 783, 818, 859, 906, 970, 1048, 1419, 1645, 2756, 3675
243, 300, 406, 450, 472, 496, 531, 574, 618, 723, 804, 841, 885, 934, 998, 1078, 1443, 1674, 2780, 3706
275, 333, 431, 476, 499, 525, 559, 602, 645, 739, 825, 865, 911, 961, 1026, 1108, 1468, 1702, 2803, 3738
308, 372, 456, 502, 527, 553, 588, 627, 671, 754, 848, 890, 937, 988, 1054, 1139, 1492, 1730, 2827, 3770)";

const char* const kR2Columns = R"(
68, 79, 252, 300, 334, 363, 395, 426, 520, 601, 678, 708, 745, 788, 846, 914, 1312, 1521, 2621, 3495
94, 243, 282, 338, 365, 394, 422, 455, 520, 617, 699, 733, 771, 814, 874, 944, 1336, 1526, 2645, 3527
133, 269, 312, 369, 393, 420, 450, 484, 520, 632, 721, 757, 797, 841, 902, 975, 1360, 1526, 2669, 3559
171, 295, 345, 398, 417, 445, 477, 510, 544, 647, 745, 782, 823, 868, 931, 1005, 1385, 1538, 2693, 3590
210, 300, 378, 424, 444, 470, 503, 534, 570, 662, 768, 806, 849, 896, 959, 1036, 1409, 1555, 2716, 3622
243, 300, 406, 450, 472, 496, 525, 557, 597, 677, 792, 831, 875, 923, 987, 1066, 1434, 1555, 2740, 3654
275, 333, 431, 476, 499, 521, 547, 582, 623, 693, 815, 856, 900, 950, 1015, 1096, 1458, 1555, 2764, 3685
308, 372, 456, 502, 523, 545, 571, 607, 650, 708, 838, 880, 926, 978, 1043, 1127, 1482, 1583, 2788, 3717)";

const char* const kR8Columns = R"(
82, 94, 260, 309, 342, 372, 402, 433, 520, 605, 684, 715, 752, 795, 854, 922, 1318, 1521, 2621, 3495
107, 250, 289, 346, 373, 401, 430, 463, 520, 621, 705, 739, 778, 821, 882, 952, 1342, 1526, 2645, 3527
143, 276, 321, 377, 400, 426, 457, 492, 525, 636, 728, 764, 804, 848, 910, 983, 1367, 1526, 2669, 3559
181, 300, 354, 405, 424, 452, 484, 517, 550, 651, 751, 788, 830, 876, 938, 1013, 1391, 1538, 2693, 3590
218, 300, 387, 431, 452, 477, 509, 540, 577, 666, 774, 813, 856, 903, 966, 1044, 1416, 1555, 2716, 3622
251, 304, 412, 457, 479, 503, 531, 564, 604, 681, 798, 838, 881, 930, 994, 1074, 1440, 1555, 2740, 3654
284, 343, 438, 483, 505, 527, 553, 589, 630, 697, 821, 862, 907, 957, 1022, 1104, 1464, 1555, 2764, 3685
317, 383, 463, 508, 529, 552, 578, 614, 657, 708, 845, 887, 933, 985, 1051, 1135, 1489, 1583, 2788, 3717)";

struct PrintedTable {
    std::vector<int> rates;                 // 1/100000
    std::vector<std::vector<long long>> columns;  // yen
};

int rateUnits(const QString& percent) { return int(std::lround(percent.toDouble() * 1000)); }

PrintedTable fromRows(const char* text)
{
    PrintedTable t;
    t.columns.resize(kBonusColumns);
    for (const QString& line : QString::fromLatin1(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QRegularExpression(QStringLiteral("[:\\s]+")), Qt::SkipEmptyParts);
        t.rates.push_back(rateUnits(parts[0]));
        for (int c = 0; c < kBonusColumns; ++c)
            t.columns[c].push_back(parts[c + 1].toLongLong() * 1000);
    }
    return t;
}

PrintedTable fromColumns(const char* text)
{
    PrintedTable t;
    for (const QString& r : QString::fromLatin1(kNewRates).split(QLatin1Char(' ')))
        t.rates.push_back(rateUnits(r));
    for (const QString& line : QString::fromLatin1(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        std::vector<long long> col;
        for (const QString& b : line.split(QLatin1Char(',')))
            col.push_back(b.trimmed().toLongLong() * 1000);
        t.columns.push_back(col);
    }
    return t;
}

TEST(BonusRateTables, EveryBoundOfEveryColumn)
{
    const std::map<std::string, PrintedTable> printed = {
        {"H24", fromRows(kH24Rows)},       {"H25", fromRows(kH25Rows)},
        {"H29", fromColumns(kH29Columns)}, {"R2", fromColumns(kR2Columns)},
        {"R8", fromColumns(kR8Columns)},
    };
    ASSERT_EQ(printed.size(), bonusRuleSets().size());
    for (const auto& [name, table] : printed) {
        const BonusRules& rules = bonusSet(name);
        ASSERT_EQ(std::vector<int>(rules.rates.begin(), rules.rates.end()), table.rates) << name;
        ASSERT_EQ(table.columns.size(), size_t(kBonusColumns)) << name;
        for (int dep = 0; dep < kBonusColumns; ++dep) {
            const auto& bounds = table.columns[dep];
            ASSERT_EQ(bounds.size(), table.rates.size()) << name << " column " << dep;
            for (size_t i = 0; i < bounds.size(); ++i) {
                // The rate below this bound is that of the last row whose bound is lower.
                int below = 0;
                for (size_t j = 0; j < i; ++j)
                    if (bounds[j] < bounds[i])
                        below = table.rates[j];
                const int at = table.rates[i];
                const int above = (i + 1 < bounds.size() && bounds[i + 1] == bounds[i] + 1) ? table.rates[i + 1] : at;
                EXPECT_EQ(bonusRateWith(rules, bounds[i] - 1, dep), below) << name << " dep " << dep << " row " << i;
                EXPECT_EQ(bonusRateWith(rules, bounds[i], dep), at) << name << " dep " << dep << " row " << i;
                EXPECT_EQ(bonusRateWith(rules, bounds[i] + 1, dep), above) << name << " dep " << dep << " row " << i;
            }
        }
        // Seven dependants or more, and anything beyond, share the last column.
        EXPECT_EQ(bonusRateWith(rules, 1'000'000, 12), bonusRateWith(rules, 1'000'000, 7)) << name;
        EXPECT_EQ(bonusRateWith(rules, 1'000'000, -1), bonusRateWith(rules, 1'000'000, 0)) << name;
    }
}

struct BonusCase {
    const char* month;
    long long bonus;
    std::optional<long long> previous;
    int dependants;
    long long tax;
    const char* rules;
};

void PrintTo(const BonusCase& c, std::ostream* os)
{
    *os << c.month << " bonus " << c.bonus << " previous "
        << (c.previous ? std::to_string(*c.previous) : std::string("none")) << " dependants " << c.dependants;
}

class BonusTax : public ::testing::TestWithParam<BonusCase> {};

TEST_P(BonusTax, MatchesTheTables)
{
    const BonusCase& c = GetParam();
    const TaxResult r = bonusWithholding(QString::fromLatin1(c.month), c.bonus, c.previous, c.dependants);
    EXPECT_EQ(r.tax, c.tax);
    EXPECT_EQ(r.rules, QString::fromLatin1(c.rules));
}

INSTANTIATE_TEST_SUITE_P(DeveloperExamples, BonusTax, ::testing::Values(
    BonusCase{"201906", 300'000, 80'000, 0, 12'252, "H29"},
    BonusCase{"202012", 300'000, 80'000, 0, 12'252, "R2"},
    BonusCase{"202612", 300'000, 80'000, 0, 0, "R8"},
    BonusCase{"201906", 1'000'000, 530'000, 0, 163'360, "H29"},
    BonusCase{"202007", 1'000'000, 530'000, 0, 183'780, "R2"},
    BonusCase{"202607", 1'000'000, 530'000, 0, 183'780, "R8"},
    BonusCase{"201712", 2'000'000, 1'400'000, 1, 714'700, "H29"},
    BonusCase{"202512", 2'000'000, 1'400'000, 1, 714'700, "R2"},
    BonusCase{"202601", 2'000'000, 1'400'000, 1, 714'700, "R8"}));

INSTANTIATE_TEST_SUITE_P(OlderTables, BonusTax, ::testing::Values(
    BonusCase{"201304", 100'000, 67'999, 0, 0, "H25"},
    BonusCase{"201304", 100'000, 68'000, 0, 2'042, "H25"},
    BonusCase{"201212", 100'000, 68'000, 0, 2'000, "H24"},
    BonusCase{"201612", 500'000, 449'999, 2, 61'260, "H25"},   // 12.252 %
    BonusCase{"201612", 500'000, 450'000, 2, 71'470, "H25"},   // 14.294 %
    BonusCase{"201701", 500'000, 450'000, 2, 71'470, "H29"},
    // The older program rounded to the nearest yen; from 2017 the fraction is cut.
    BonusCase{"201304", 123'457, 68'000, 0, 2'521, "H25"},
    BonusCase{"202004", 123'457, 68'000, 0, 2'520, "R2"}));

// No salary last month, or a bonus over ten times it: six times the extra
// monthly tax the sixth part of the bonus causes.
INSTANTIATE_TEST_SUITE_P(WithoutTheRateTable, BonusTax, ::testing::Values(
    BonusCase{"202606", 1'000'000, 100'000, 0, 40'840, "R8"},    // exactly ten times: the table
    BonusCase{"202606", 1'000'001, 100'000, 0, 40'320, "R8"},    // just over
    BonusCase{"202606", 1'200'000, std::nullopt, 0, 26'040, "R8"},
    BonusCase{"202606", 1'200'000, 0, 0, 26'040, "R8"},          // a salary row of nothing
    BonusCase{"202606", 1'200'000, -5'000, 0, 26'040, "R8"},
    BonusCase{"202606", 1'200'000, std::nullopt, 2, 6'660, "R8"},
    BonusCase{"202306", 600'000, std::nullopt, 0, 4'320, "R2"},
    BonusCase{"201304", 1'200'000, std::nullopt, 0, 28'620, "H25"},
    // 2027 has no bonus table yet, but this way needs only the monthly one.
    BonusCase{"202706", 1'200'000, std::nullopt, 0, 25'020, "R9"},
    BonusCase{"202606", 0, std::nullopt, 0, 0, "R8"},
    BonusCase{"202606", -10'000, 100'000, 0, 0, "R8"}));

TEST(BonusPeriods, EachMonthItsTable)
{
    struct {
        const char* month;
        const char* rules;
        bool missing;
    } cases[] = {
        {"201212", "H24", false}, {"201301", "H25", false}, {"201612", "H25", false},
        {"201701", "H29", false}, {"201912", "H29", false}, {"202001", "R2", false},
        {"202512", "R2", false},  {"202601", "R8", false},  {"202612", "R8", false},
        {"202701", "R8", true},   {"203012", "R8", true},
    };
    for (const auto& c : cases) {
        const TaxResult r = bonusWithholding(QString::fromLatin1(c.month), 500'000, 400'000, 0);
        EXPECT_EQ(r.rules, QString::fromLatin1(c.rules)) << c.month;
        EXPECT_EQ(r.newerRulesMissing, c.missing) << c.month;
    }
    const TaxResult r = bonusWithholding(QStringLiteral("202712"), 500'000, 400'000, 0);
    EXPECT_EQ(r.rulesYear, 2026);
    EXPECT_EQ(rulesNotice(r), QStringLiteral("2027年分の税額表は未収録のため、2026年分で計算しています。"));
    EXPECT_FALSE(bonusWithholding(QStringLiteral("2027"), 500'000, 400'000, 0).error.isEmpty());
}

TEST(BonusProperties, NeverNegativeNeverFallingWithTheBonus)
{
    for (const char* month : {"201106", "201506", "201806", "202206", "202606", "202706"}) {
        for (int dep : {0, 3, 7}) {
            for (long long previous : {0LL, 150'000LL, 450'000LL, 2'000'000LL}) {
                long long last = 0;
                for (long long bonus = 0; bonus <= 25'000'000; bonus += 9'973) {
                    const long long tax = bonusWithholding(QString::fromLatin1(month), bonus, previous, dep).tax;
                    ASSERT_GE(tax, 0) << month << " " << bonus;
                    ASSERT_GE(tax, last) << month << " bonus " << bonus << " previous " << previous;
                    last = tax;
                }
            }
        }
    }
}

TEST(EmploymentInsurance, EmployeeShareRounding)
{
    struct {
        double rate;
        long long pay;
        long long premium;
    } cases[] = {
        {0.005, 300'000, 1'500},
        {0.005, 100'100, 500},        // 500.5: 50 sen goes down
        {0.005, 100'101, 501},        // 500.505: more than 50 sen goes up
        {0.005, 100'099, 500},        // 500.495
        {double(0.005f), 100'100, 500},  // the rate as read from its single-precision column
        {double(0.0055f), 100'000, 550},
        {0.003, 166'500, 499},        // 499.5
        {0.003, 166'850, 501},        // 500.55
        {0.006, 12'345, 74},          // 74.07
        {0.0, 300'000, 0},
        {0.005, 0, 0},
        {0.005, -100'101, -501},      // a correction row keeps its sign
    };
    for (const auto& c : cases)
        EXPECT_EQ(employmentInsurancePremium(c.rate, c.pay), c.premium) << c.rate << " × " << c.pay;
}

} // namespace
