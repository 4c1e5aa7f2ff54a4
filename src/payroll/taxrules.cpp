#include "payroll/taxrules.h"

namespace minasel::payroll {
namespace {

// ---- Monthly withholding, computer-calculation method --------------------------

// Pay months up to 2012: bands are "below L".
constexpr DeductionBand kH24Income[] = {
    {135'416, 0, 54'167},      {149'999, 4000, 0},       {299'999, 3000, 15'000},
    {549'999, 2000, 45'000},   {833'333, 1000, 100'000}, {999'999, 500, 141'667},
    {kNoLimit, 0, 191'667},
};
constexpr RateBand kH24Rates[] = {
    {162'500, 5000, 0},        {275'000, 10000, 8'125},    {579'166, 20000, 35'625},
    {750'000, 23000, 53'000},  {1'500'000, 33000, 128'000}, {kNoLimit, 40000, 233'000},
};
// 2013 on: the same bands with the 2.1 % surtax in every rate.
constexpr RateBand kH25Rates[] = {
    {162'500, 5105, 0},          {275'000, 10210, 8'296},      {579'166, 20420, 36'374},
    {750'000, 23483, 54'113},    {1'500'000, 33693, 130'688},  {3'333'333, 40840, 237'893},
    {kNoLimit, 45945, 408'061},
};

// From 2020: bands are "up to L".
constexpr RateBand kCurrentRates[] = {
    {162'500, 5105, 0},          {275'000, 10210, 8'296},      {579'166, 20420, 36'374},
    {750'000, 23483, 54'113},    {1'500'000, 33693, 130'688},  {3'333'333, 40840, 237'893},
    {kNoLimit, 45945, 408'061},
};
constexpr DeductionBand kR2Income[] = {
    {135'416, 0, 45'834},      {149'999, 4000, -8'333},  {299'999, 3000, 6'667},
    {549'999, 2000, 36'667},   {708'330, 1000, 91'667},  {kNoLimit, 0, 162'500},
};
constexpr DeductionBand kR2Basic[] = {
    {2'162'499, 0, 40'000}, {2'204'166, 0, 26'667}, {2'245'833, 0, 13'334}, {kNoLimit, 0, 0},
};
constexpr DeductionBand kR8Income[] = {
    {158'333, 0, 54'167},      {299'999, 3000, 6'667},   {549'999, 2000, 36'667},
    {708'330, 1000, 91'667},   {kNoLimit, 0, 162'500},
};
constexpr DeductionBand kR8Basic[] = {
    {2'120'833, 0, 48'334}, {2'162'499, 0, 40'000}, {2'204'166, 0, 26'667},
    {2'245'833, 0, 13'334}, {kNoLimit, 0, 0},
};
constexpr DeductionBand kR9Income[] = {
    {169'444, 0, 57'500},      {299'999, 3000, 6'667},   {549'999, 2000, 36'667},
    {708'330, 1000, 91'667},   {kNoLimit, 0, 162'500},
};
constexpr DeductionBand kR9Basic[] = {
    {2'120'833, 0, 51'667}, {2'162'499, 0, 40'000}, {2'204'166, 0, 26'667},
    {2'245'833, 0, 13'334}, {kNoLimit, 0, 0},
};

constexpr MonthlyRules kMonthly[] = {
    {"H24", 0, 201212, false, 87'000, kH24Income, {}, true, 31'667, kH24Rates,
     TaxRounding::YenThenTens},
    {"H25", 201301, 201912, false, 87'000, kH24Income, {}, true, 31'667, kH25Rates,
     TaxRounding::YenThenTens},
    {"R2", 202001, 202512, true, 87'000, kR2Income, kR2Basic, false, 31'667, kCurrentRates,
     TaxRounding::NearestTen},
    // The zero bands follow the printed monthly tables of each year.
    {"R8", 202601, 202612, true, 104'999, kR8Income, kR8Basic, false, 31'667, kCurrentRates,
     TaxRounding::NearestTen},
    {"R9", 202701, 202712, true, 110'999, kR9Income, kR9Basic, false, 31'667, kCurrentRates,
     TaxRounding::NearestTen},
};

// ---- Bonus withholding: rate by the previous month's pay, per dependants -------

constexpr int kH24BonusRates[] = {2000,  4000,  6000,  8000,  10000, 12000,
                                  14000, 16000, 18000, 20000, 22000, 24000,
                                  26000, 28000, 30000, 32000, 35000, 38000};
constexpr int kH25BonusRates[] = {2042,  4084,  6126,  8168,  10210, 12252, 14294,
                                  16336, 18378, 20420, 22462, 24504, 26546, 28588,
                                  30630, 32672, 35735, 38798, 40840};
constexpr int kBonusRates[] = {2042,  4084,  6126,  8168,  10210, 12252, 14294,
                               16336, 18378, 20420, 22462, 24504, 26546, 28588,
                               30630, 32672, 35735, 38798, 41861, 45945};

constexpr int kH24BonusDep0[] = {68, 79, 252, 300, 334, 363, 395, 426, 550, 668, 714, 750, 791, 847, 917, 1280, 1482, 1761};
constexpr int kH24BonusDep1[] = {94, 243, 282, 338, 365, 394, 422, 455, 550, 689, 738, 775, 817, 876, 949, 1304, 1510, 1794};
constexpr int kH24BonusDep2[] = {133, 269, 312, 369, 393, 420, 450, 484, 550, 710, 762, 801, 844, 905, 980, 1328, 1538, 1828};
constexpr int kH24BonusDep3[] = {171, 295, 345, 398, 417, 445, 477, 513, 557, 730, 786, 826, 872, 934, 1012, 1352, 1566, 1861};
constexpr int kH24BonusDep4[] = {210, 300, 378, 424, 444, 470, 504, 543, 592, 751, 810, 852, 901, 963, 1043, 1377, 1594, 1894};
constexpr int kH24BonusDep5[] = {243, 300, 406, 450, 472, 496, 531, 574, 622, 771, 834, 879, 929, 992, 1074, 1401, 1622, 1928};
constexpr int kH24BonusDep6[] = {275, 333, 431, 476, 499, 525, 559, 604, 652, 792, 859, 905, 957, 1021, 1106, 1425, 1651, 1961};
constexpr int kH24BonusDep7[] = {308, 372, 456, 502, 527, 553, 588, 632, 683, 812, 884, 932, 985, 1050, 1137, 1449, 1679, 1994};
constexpr int kH25BonusDep0[] = {68, 79, 252, 300, 334, 363, 395, 426, 550, 668, 714, 750, 791, 847, 910, 997, 1337, 1551, 1735};
constexpr int kH25BonusDep1[] = {94, 243, 282, 338, 365, 394, 422, 455, 550, 689, 738, 775, 817, 876, 936, 1003, 1362, 1579, 1767};
constexpr int kH25BonusDep2[] = {133, 269, 312, 369, 393, 420, 450, 484, 550, 710, 762, 801, 844, 901, 962, 1031, 1386, 1607, 1799};
constexpr int kH25BonusDep3[] = {171, 295, 345, 398, 417, 445, 477, 513, 557, 730, 786, 826, 872, 925, 987, 1058, 1410, 1636, 1830};
constexpr int kH25BonusDep4[] = {210, 300, 378, 424, 444, 470, 504, 543, 592, 751, 810, 852, 898, 949, 1013, 1086, 1435, 1664, 1862};
constexpr int kH25BonusDep5[] = {243, 300, 406, 450, 472, 496, 531, 574, 622, 771, 834, 879, 922, 973, 1038, 1113, 1459, 1692, 1894};
constexpr int kH25BonusDep6[] = {275, 333, 431, 476, 499, 525, 559, 604, 652, 792, 859, 902, 947, 997, 1064, 1140, 1484, 1720, 1925};
constexpr int kH25BonusDep7[] = {308, 372, 456, 502, 527, 553, 588, 632, 683, 812, 884, 925, 971, 1021, 1089, 1168, 1508, 1749, 1957};

constexpr int kH29BonusDep0[] = {68, 79, 252, 300, 334, 363, 395, 426, 550, 647, 699, 730, 764, 804, 857, 926, 1321, 1532, 2661, 3548};
constexpr int kH29BonusDep1[] = {94, 243, 282, 338, 365, 394, 422, 455, 550, 663, 720, 752, 787, 826, 885, 956, 1346, 1560, 2685, 3580};
constexpr int kH29BonusDep2[] = {133, 269, 312, 369, 393, 420, 450, 484, 550, 678, 741, 774, 810, 852, 914, 987, 1370, 1589, 2708, 3611};
constexpr int kH29BonusDep3[] = {171, 295, 345, 398, 417, 445, 477, 513, 557, 693, 762, 796, 833, 879, 942, 1017, 1394, 1617, 2732, 3643};
constexpr int kH29BonusDep4[] = {210, 300, 378, 424, 444, 470, 504, 543, 591, 708, 783, 818, 859, 906, 970, 1048, 1419, 1645, 2756, 3675};
constexpr int kH29BonusDep5[] = {243, 300, 406, 450, 472, 496, 531, 574, 618, 723, 804, 841, 885, 934, 998, 1078, 1443, 1674, 2780, 3706};
constexpr int kH29BonusDep6[] = {275, 333, 431, 476, 499, 525, 559, 602, 645, 739, 825, 865, 911, 961, 1026, 1108, 1468, 1702, 2803, 3738};
constexpr int kH29BonusDep7[] = {308, 372, 456, 502, 527, 553, 588, 627, 671, 754, 848, 890, 937, 988, 1054, 1139, 1492, 1730, 2827, 3770};

constexpr int kR2BonusDep0[] = {68, 79, 252, 300, 334, 363, 395, 426, 520, 601, 678, 708, 745, 788, 846, 914, 1312, 1521, 2621, 3495};
constexpr int kR2BonusDep1[] = {94, 243, 282, 338, 365, 394, 422, 455, 520, 617, 699, 733, 771, 814, 874, 944, 1336, 1526, 2645, 3527};
constexpr int kR2BonusDep2[] = {133, 269, 312, 369, 393, 420, 450, 484, 520, 632, 721, 757, 797, 841, 902, 975, 1360, 1526, 2669, 3559};
constexpr int kR2BonusDep3[] = {171, 295, 345, 398, 417, 445, 477, 510, 544, 647, 745, 782, 823, 868, 931, 1005, 1385, 1538, 2693, 3590};
constexpr int kR2BonusDep4[] = {210, 300, 378, 424, 444, 470, 503, 534, 570, 662, 768, 806, 849, 896, 959, 1036, 1409, 1555, 2716, 3622};
constexpr int kR2BonusDep5[] = {243, 300, 406, 450, 472, 496, 525, 557, 597, 677, 792, 831, 875, 923, 987, 1066, 1434, 1555, 2740, 3654};
constexpr int kR2BonusDep6[] = {275, 333, 431, 476, 499, 521, 547, 582, 623, 693, 815, 856, 900, 950, 1015, 1096, 1458, 1555, 2764, 3685};
constexpr int kR2BonusDep7[] = {308, 372, 456, 502, 523, 545, 571, 607, 650, 708, 838, 880, 926, 978, 1043, 1127, 1482, 1583, 2788, 3717};

constexpr int kR8BonusDep0[] = {82, 94, 260, 309, 342, 372, 402, 433, 520, 605, 684, 715, 752, 795, 854, 922, 1318, 1521, 2621, 3495};
constexpr int kR8BonusDep1[] = {107, 250, 289, 346, 373, 401, 430, 463, 520, 621, 705, 739, 778, 821, 882, 952, 1342, 1526, 2645, 3527};
constexpr int kR8BonusDep2[] = {143, 276, 321, 377, 400, 426, 457, 492, 525, 636, 728, 764, 804, 848, 910, 983, 1367, 1526, 2669, 3559};
constexpr int kR8BonusDep3[] = {181, 300, 354, 405, 424, 452, 484, 517, 550, 651, 751, 788, 830, 876, 938, 1013, 1391, 1538, 2693, 3590};
constexpr int kR8BonusDep4[] = {218, 300, 387, 431, 452, 477, 509, 540, 577, 666, 774, 813, 856, 903, 966, 1044, 1416, 1555, 2716, 3622};
constexpr int kR8BonusDep5[] = {251, 304, 412, 457, 479, 503, 531, 564, 604, 681, 798, 838, 881, 930, 994, 1074, 1440, 1555, 2740, 3654};
constexpr int kR8BonusDep6[] = {284, 343, 438, 483, 505, 527, 553, 589, 630, 697, 821, 862, 907, 957, 1022, 1104, 1464, 1555, 2764, 3685};
constexpr int kR8BonusDep7[] = {317, 383, 463, 508, 529, 552, 578, 614, 657, 708, 845, 887, 933, 985, 1051, 1135, 1489, 1583, 2788, 3717};

#define BONUS_COLUMNS(set) \
    {k##set##BonusDep0, k##set##BonusDep1, k##set##BonusDep2, k##set##BonusDep3, \
     k##set##BonusDep4, k##set##BonusDep5, k##set##BonusDep6, k##set##BonusDep7}

constexpr BonusRules kBonus[] = {
    {"H24", 0, 201212, kH24BonusRates, BONUS_COLUMNS(H24), BonusRounding::NearestYenTiesEven},
    {"H25", 201301, 201612, kH25BonusRates, BONUS_COLUMNS(H25), BonusRounding::NearestYenTiesEven},
    {"H29", 201701, 201912, kBonusRates, BONUS_COLUMNS(H29), BonusRounding::TruncateYen},
    {"R2", 202001, 202512, kBonusRates, BONUS_COLUMNS(R2), BonusRounding::TruncateYen},
    {"R8", 202601, 202612, kBonusRates, BONUS_COLUMNS(R8), BonusRounding::TruncateYen},
};

#undef BONUS_COLUMNS

} // namespace

std::span<const MonthlyRules> monthlyRuleSets() { return kMonthly; }
std::span<const BonusRules> bonusRuleSets() { return kBonus; }

} // namespace minasel::payroll

namespace minasel::payroll {

template<typename Rules>
static const Rules& rulesFor(std::span<const Rules> sets, int yyyymm, bool* beyondNewest)
{
    if (beyondNewest)
        *beyondNewest = yyyymm > sets.back().lastMonth;
    for (const Rules& r : sets)
        if (yyyymm <= r.lastMonth)
            return r;
    return sets.back();
}

const MonthlyRules& monthlyRulesFor(int yyyymm, bool* beyondNewest)
{
    return rulesFor(monthlyRuleSets(), yyyymm, beyondNewest);
}

const BonusRules& bonusRulesFor(int yyyymm, bool* beyondNewest)
{
    return rulesFor(bonusRuleSets(), yyyymm, beyondNewest);
}

} // namespace minasel::payroll
