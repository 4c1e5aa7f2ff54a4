// The year-end adjustment arithmetic, per year's rule set.
#include "nentyo/nentyocalc.h"

#include <gtest/gtest.h>

using namespace minasel::nentyo;

namespace {

const YearEndRules& rulesOf(int year) { return yearEndRulesFor(year); }

NentyoInput salary(long long pay, long long socialInsurance = 0)
{
    NentyoInput in;
    in.kyuryo = pay;
    in.hoken = socialInsurance;
    return in;
}

TEST(YearEndRuleSets, ChosenByYear)
{
    struct {
        int year;
        const char* name;
        bool missing;
        int rulesYear;
    } cases[] = {
        {2019, "R2", false, 2019}, {2024, "R2", false, 2024}, {2025, "R7", false, 2025},
        {2026, "R8", false, 2026}, {2027, "R9", false, 2027}, {2028, "R9", true, 2027},
    };
    for (const auto& c : cases) {
        const NentyoResult r = calcNentyo(c.year, salary(3'000'000));
        EXPECT_EQ(r.rules, QString::fromLatin1(c.name)) << c.year;
        EXPECT_EQ(r.newerRulesMissing, c.missing) << c.year;
        EXPECT_EQ(r.rulesYear, c.rulesYear) << c.year;
    }
    EXPECT_EQ(rulesNotice(calcNentyo(2028, salary(3'000'000))),
              QStringLiteral("2028年分の年末調整の計算規定は未収録のため、2027年分で計算しています。"));
    EXPECT_EQ(rulesNotice(calcNentyo(2027, salary(3'000'000))), QString());
}

struct SalaryCase {
    int year;
    long long pay;
    long long income;
};

void PrintTo(const SalaryCase& c, std::ostream* os) { *os << c.year << " pay " << c.pay; }

class SalaryIncome : public ::testing::TestWithParam<SalaryCase> {};
TEST_P(SalaryIncome, FromTheYearEndTable)
{
    const SalaryCase& c = GetParam();
    EXPECT_EQ(salaryIncome(rulesOf(c.year), c.pay), c.income) << c.year << " " << c.pay;
}
// Both sides of every band: the table gives each band's first and last pay.
INSTANTIATE_TEST_SUITE_P(Until2024, SalaryIncome, ::testing::Values(
    SalaryCase{2024, 550'999, 0},           SalaryCase{2024, 551'000, 1'000},
    SalaryCase{2024, 1'618'999, 1'068'999}, SalaryCase{2024, 1'619'000, 1'069'000},
    SalaryCase{2024, 1'619'999, 1'069'000}, SalaryCase{2024, 1'620'000, 1'070'000},
    SalaryCase{2024, 1'621'999, 1'070'000}, SalaryCase{2024, 1'622'000, 1'072'000},
    SalaryCase{2024, 1'623'999, 1'072'000}, SalaryCase{2024, 1'624'000, 1'074'000},
    SalaryCase{2024, 1'627'999, 1'074'000}, SalaryCase{2024, 1'628'000, 1'076'800},
    SalaryCase{2024, 1'799'999, 1'177'600}, SalaryCase{2024, 1'800'000, 1'180'000},
    SalaryCase{2024, 3'599'999, 2'437'200}, SalaryCase{2024, 3'600'000, 2'440'000},
    SalaryCase{2024, 6'599'999, 4'836'800}, SalaryCase{2024, 6'600'000, 4'840'000},
    SalaryCase{2024, 8'499'999, 6'549'999}, SalaryCase{2024, 8'500'000, 6'550'000}));
INSTANTIATE_TEST_SUITE_P(From2025, SalaryIncome, ::testing::Values(
    SalaryCase{2025, 650'999, 0},           SalaryCase{2025, 651'000, 1'000},
    SalaryCase{2025, 1'899'999, 1'249'999}, SalaryCase{2025, 1'900'000, 1'250'000},
    SalaryCase{2025, 1'903'999, 1'250'000}, SalaryCase{2025, 3'600'000, 2'440'000},
    SalaryCase{2026, 740'999, 0},           SalaryCase{2026, 741'000, 1'000},
    SalaryCase{2026, 2'190'999, 1'450'999}, SalaryCase{2026, 2'191'000, 1'451'000},
    SalaryCase{2026, 2'192'999, 1'451'000}, SalaryCase{2026, 2'193'000, 1'453'000},
    SalaryCase{2026, 2'195'999, 1'453'000}, SalaryCase{2026, 2'196'000, 1'456'000},
    SalaryCase{2026, 2'199'999, 1'456'000}, SalaryCase{2026, 2'200'000, 1'460'000},
    SalaryCase{2026, 6'600'000, 4'840'000}, SalaryCase{2027, 2'193'000, 1'453'000}));

TEST(IncomeAdjustment, TenPercentOverTheThresholdRoundedUp)
{
    EXPECT_EQ(incomeAdjustmentDeduction(9'000'000, true), 50'000);
    EXPECT_EQ(incomeAdjustmentDeduction(12'000'000, true), 150'000);
    EXPECT_EQ(incomeAdjustmentDeduction(10'000'000, true), 150'000);
    EXPECT_EQ(incomeAdjustmentDeduction(8'500'000, true), 0);
    EXPECT_EQ(incomeAdjustmentDeduction(8'500'001, true), 1);      // 0.1 yen counts as one
    EXPECT_EQ(incomeAdjustmentDeduction(8'765'432, true), 26'544);  // 26,543.2
    EXPECT_EQ(incomeAdjustmentDeduction(12'000'000, false), 0);
}

TEST(LifeInsurance, ScalesAndCaps)
{
    const YearEndRules& r = rulesOf(2024);
    auto general = [&](long long oldP, long long newP) {
        NentyoInput in;
        in.semeHoken = oldP;
        in.semeHokenNew = newP;
        return lifeInsuranceDeduction(r, in);
    };
    EXPECT_EQ(general(25'000, 0), 25'000);
    EXPECT_EQ(general(25'001, 0), 25'000);
    EXPECT_EQ(general(50'000, 0), 37'500);
    EXPECT_EQ(general(100'001, 0), 50'000);
    EXPECT_EQ(general(0, 20'001), 20'000);
    EXPECT_EQ(general(0, 80'001), 40'000);
    EXPECT_EQ(general(100'000, 80'000), 50'000);  // the old part alone beats the capped sum
    EXPECT_EQ(general(20'000, 30'000), 40'000);   // 20,000 + 25,000 capped at 40,000

    // The three parts together never exceed 120,000.
    NentyoInput all;
    all.semeHoken = 200'000;
    all.nenkinHoken = 200'000;
    all.kaigoIryoHoken = 100'000;
    EXPECT_EQ(lifeInsuranceDeduction(r, all), 120'000);
    all.kaigoIryoHoken = 0;
    EXPECT_EQ(lifeInsuranceDeduction(r, all), 100'000);
}

TEST(LifeInsurance, YoungDependantScaleFrom2026)
{
    NentyoInput in;
    in.semeHokenNew = 120'000;
    in.under23 = true;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 60'000);
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2027), in), 60'000);
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2025), in), 40'000);
    in.semeHokenNew = 30'000;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 30'000);
    in.semeHokenNew = 60'000;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 45'000);
    in.semeHokenNew = 120'001;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 60'000);
    in.semeHoken = 100'000;  // old 50,000 + new 60,000: the general part stops at 60,000
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 60'000);
    in.kaigoIryoHoken = 80'000;
    in.nenkinHokenNew = 80'000;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 120'000);  // 140,000 capped
    in.under23 = false;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 120'000);
    in.kaigoIryoHoken = 0;
    EXPECT_EQ(lifeInsuranceDeduction(rulesOf(2026), in), 90'000);   // 50,000 + 40,000
}

TEST(EarthquakeInsurance, Deduction)
{
    EXPECT_EQ(earthquakeInsuranceDeduction(0, 60'000), 50'000);
    EXPECT_EQ(earthquakeInsuranceDeduction(30'000, 60'000), 50'000);
    EXPECT_EQ(earthquakeInsuranceDeduction(10'000, 0), 10'000);
    EXPECT_EQ(earthquakeInsuranceDeduction(10'001, 0), 10'000);
    EXPECT_EQ(earthquakeInsuranceDeduction(20'000, 0), 15'000);
    EXPECT_EQ(earthquakeInsuranceDeduction(20'001, 0), 15'000);
    EXPECT_EQ(earthquakeInsuranceDeduction(15'000, 40'000), 50'000);  // 12,500 + 40,000
    EXPECT_EQ(earthquakeInsuranceDeduction(15'000, 30'000), 42'500);
}

TEST(SpouseDeduction, ByTheEmployeesTotalIncome)
{
    const YearEndRules& r = rulesOf(2024);
    EXPECT_EQ(spouseDeduction(r, true, 480'000, 9'000'000, true), 480'000);
    EXPECT_EQ(spouseDeduction(r, true, 480'000, 9'000'000, false), 380'000);
    EXPECT_EQ(spouseDeduction(r, true, 480'001, 9'000'001, true), 260'000);
    EXPECT_EQ(spouseDeduction(r, true, 480'000, 9'500'001, true), 160'000);
    EXPECT_EQ(spouseDeduction(r, false, 0, 5'000'000, false), 0);
    for (long long s : {0LL, 480'000LL, 900'000LL, 1'330'000LL})
        EXPECT_EQ(spouseDeduction(r, true, s, 10'000'001, true), 0) << s;
    struct {
        long long s;
        long long amount[3];
    } rows[] = {
        {950'000, {380'000, 260'000, 130'000}},   {950'001, {360'000, 240'000, 120'000}},
        {1'000'001, {310'000, 210'000, 110'000}}, {1'050'001, {260'000, 180'000, 90'000}},
        {1'100'001, {210'000, 140'000, 70'000}},  {1'150'001, {160'000, 110'000, 60'000}},
        {1'200'001, {110'000, 80'000, 40'000}},   {1'250'001, {60'000, 40'000, 20'000}},
        {1'300'001, {30'000, 20'000, 10'000}},    {1'330'000, {30'000, 20'000, 10'000}},
        {1'330'001, {0, 0, 0}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(spouseDeduction(r, true, row.s, 9'000'000, true), row.amount[0]) << row.s;
        EXPECT_EQ(spouseDeduction(r, true, row.s, 9'500'000, false), row.amount[1]) << row.s;
        EXPECT_EQ(spouseDeduction(r, true, row.s, 10'000'000, false), row.amount[2]) << row.s;
    }
}

TEST(SpouseDeduction, IncomeLimitByYear)
{
    // An elderly spouse shows which deduction applies: the spouse deduction gives 480,000.
    EXPECT_EQ(spouseDeduction(rulesOf(2024), true, 580'000, 5'000'000, true), 380'000);
    EXPECT_EQ(spouseDeduction(rulesOf(2025), true, 580'000, 5'000'000, true), 480'000);
    EXPECT_EQ(spouseDeduction(rulesOf(2025), true, 580'001, 5'000'000, true), 380'000);
    EXPECT_EQ(spouseDeduction(rulesOf(2025), true, 620'000, 5'000'000, true), 380'000);
    EXPECT_EQ(spouseDeduction(rulesOf(2026), true, 620'000, 5'000'000, true), 480'000);
    EXPECT_EQ(spouseDeduction(rulesOf(2026), true, 620'001, 5'000'000, true), 380'000);
}

TEST(BasicDeduction, BandsByYear)
{
    struct {
        int year;
        long long g;
        long long basic;
    } cases[] = {
        {2024, 0, 480'000},           {2024, 24'000'000, 480'000},  {2024, 24'000'001, 320'000},
        {2024, 24'500'001, 160'000},  {2024, 25'000'000, 160'000},  {2024, 25'000'001, 0},
        {2025, 1'320'000, 950'000},   {2025, 1'320'001, 880'000},   {2025, 3'360'000, 880'000},
        {2025, 3'360'001, 680'000},   {2025, 4'890'000, 680'000},   {2025, 4'890'001, 630'000},
        {2025, 6'550'000, 630'000},   {2025, 6'550'001, 580'000},   {2025, 23'500'000, 580'000},
        {2025, 23'500'001, 480'000},  {2025, 24'000'001, 320'000},  {2025, 25'000'001, 0},
        {2026, 4'890'000, 1'040'000}, {2026, 4'890'001, 670'000},   {2026, 6'550'000, 670'000},
        {2026, 6'550'001, 620'000},   {2026, 23'500'000, 620'000},  {2026, 23'500'001, 480'000},
        {2027, 4'890'000, 1'040'000}, {2027, 24'500'001, 160'000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(basicDeduction(rulesOf(c.year), c.g), c.basic) << c.year << " " << c.g;
}

TEST(SpecificRelative, BandsByYear)
{
    struct {
        long long income;
        long long amount;
    } bands[] = {
        {850'000, 630'000},   {850'001, 610'000},   {900'000, 610'000},   {900'001, 510'000},
        {950'001, 410'000},   {1'000'001, 310'000}, {1'050'001, 210'000}, {1'100'001, 110'000},
        {1'150'001, 60'000},  {1'200'001, 30'000},  {1'230'000, 30'000},  {1'230'001, 0},
    };
    for (int year : {2025, 2026, 2027})
        for (const auto& b : bands)
            EXPECT_EQ(specificRelativeDeduction(rulesOf(year), b.income), b.amount) << year << " " << b.income;
    EXPECT_EQ(specificRelativeDeduction(rulesOf(2025), 580'000), 0);  // a dependant, not this deduction
    EXPECT_EQ(specificRelativeDeduction(rulesOf(2025), 580'001), 630'000);
    EXPECT_EQ(specificRelativeDeduction(rulesOf(2026), 620'000), 0);
    EXPECT_EQ(specificRelativeDeduction(rulesOf(2026), 620'001), 630'000);
    EXPECT_EQ(specificRelativeDeduction(rulesOf(2024), 700'000), 0);  // not yet in force
}

TEST(AnnualTax, TableBoundaries)
{
    struct {
        long long x;
        long long tax;
    } cases[] = {
        {1'950'000, 97'500},   {1'951'000, 97'600},   {3'300'000, 232'500},  {3'301'000, 232'700},
        {6'950'000, 962'500},  {6'951'000, 962'730},  {9'000'000, 1'434'000}, {9'001'000, 1'434'330},
        {18'000'000, 4'404'000}, {18'001'000, 4'404'400}, {18'050'000, 4'424'000}, {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(annualTax(c.x), c.tax) << c.x;
}

struct ExampleCase {
    int year;
    long long pay;
    long long socialInsurance;
    long long kojyogo;
    long long basic;
    long long kakutetax;
};

void PrintTo(const ExampleCase& c, std::ostream* os)
{
    *os << c.year << " pay " << c.pay << " social insurance " << c.socialInsurance;
}

class DeveloperExamples : public ::testing::TestWithParam<ExampleCase> {};
TEST_P(DeveloperExamples, SalaryOnly)
{
    const ExampleCase& c = GetParam();
    const NentyoResult r = calcNentyo(c.year, salary(c.pay, c.socialInsurance));
    EXPECT_EQ(r.kojyogo, c.kojyogo);
    EXPECT_EQ(r.kisoKojyo, c.basic);
    EXPECT_EQ(r.hfksKojyo, c.basic);
    EXPECT_EQ(r.kakuteTax, c.kakutetax);
    EXPECT_EQ(r.sasihiki, -c.kakutetax);
}
INSTANTIATE_TEST_SUITE_P(ByYear, DeveloperExamples, ::testing::Values(
    ExampleCase{2024, 1'600'000, 0, 1'050'000, 480'000, 29'000},
    ExampleCase{2025, 1'600'000, 0, 950'000, 950'000, 0},
    ExampleCase{2026, 1'600'000, 0, 860'000, 1'040'000, 0},
    ExampleCase{2024, 2'000'000, 300'000, 1'320'000, 480'000, 27'500},
    ExampleCase{2025, 2'000'000, 300'000, 1'320'000, 950'000, 3'500},
    ExampleCase{2026, 2'000'000, 300'000, 1'260'000, 1'040'000, 0},
    ExampleCase{2024, 2'190'000, 0, 1'451'600, 480'000, 49'500},
    ExampleCase{2025, 2'190'000, 0, 1'451'600, 880'000, 29'100},
    ExampleCase{2026, 2'190'000, 0, 1'450'000, 1'040'000, 20'900},
    ExampleCase{2024, 4'000'000, 600'000, 2'760'000, 480'000, 85'700},
    ExampleCase{2025, 4'000'000, 600'000, 2'760'000, 880'000, 65'300},
    ExampleCase{2026, 4'000'000, 600'000, 2'760'000, 1'040'000, 57'100},
    ExampleCase{2027, 4'000'000, 600'000, 2'760'000, 1'040'000, 57'100},
    ExampleCase{2024, 6'550'000, 0, 4'798'400, 480'000, 445'200},
    ExampleCase{2025, 6'550'000, 0, 4'798'400, 680'000, 404'400},
    ExampleCase{2026, 6'550'000, 0, 4'798'400, 1'040'000, 330'900}));

TEST(YearEnd, PayTotalsAndBalance)
{
    NentyoInput in = salary(3'000'000, 450'000);
    in.kyuryoTax = 60'000;
    in.syoyo = 800'000;
    in.syoyoTax = 30'000;
    in.maeKei = 500'000;
    in.maeTaxKei = 10'000;
    const NentyoResult r = calcNentyo(2024, in);
    EXPECT_EQ(r.p, 4'300'000);
    EXPECT_EQ(r.t, 100'000);
    EXPECT_EQ(r.kojyogo, 3'000'000);   // 4,300,000 × 80 % − 440,000
    EXPECT_EQ(r.kojyoKei, 930'000);
    EXPECT_EQ(r.sasiMoney, 2'070'000);
    EXPECT_EQ(r.yearTax, 109'500);
    EXPECT_DOUBLE_EQ(r.calYearTax, 111'799.5);
    EXPECT_EQ(r.kakuteTax, 111'700);
    EXPECT_EQ(r.sasihiki, -11'700);
}

TEST(YearEnd, SpouseComparedWithTotalIncomeNotPay)
{
    // Pay of 10,500,000 is a total income of 8,550,000: the full spouse deduction.
    NentyoInput in = salary(10'500'000);
    in.haigu = true;
    const NentyoResult r = calcNentyo(2024, in);
    EXPECT_EQ(r.totalIncome, 8'550'000);
    EXPECT_EQ(r.haiguKojyo, 380'000);
    EXPECT_EQ(r.hfksKojyo, 860'000);
    // The adjustment deduction lowers the total income too.
    in.kyuryo = 11'100'000;  // income 9,150,000, less 150,000 = 9,000,000
    in.tyouseiSw = true;
    EXPECT_EQ(calcNentyo(2024, in).haiguKojyo, 380'000);
    in.tyouseiSw = false;
    EXPECT_EQ(calcNentyo(2024, in).haiguKojyo, 260'000);
}

TEST(YearEnd, DeclaredTotalIncomeOverrides)
{
    NentyoInput in = salary(6'550'000);
    in.declaredTotalIncome = 5'000'000;
    EXPECT_EQ(calcNentyo(2026, in).kisoKojyo, 670'000);
    in.haigu = true;
    in.declaredTotalIncome = 10'000'001;
    const NentyoResult r = calcNentyo(2026, in);
    EXPECT_EQ(r.haiguKojyo, 0);
    EXPECT_EQ(r.kisoKojyo, 620'000);
    EXPECT_EQ(r.kojyogo, 4'798'400);  // the salary income itself is unchanged
}

TEST(YearEnd, IncomeAdjustmentReducesTaxableIncome)
{
    NentyoInput in = salary(8'765'432);
    in.tyouseiSw = true;
    const NentyoResult r = calcNentyo(2024, in);
    EXPECT_EQ(r.tyousei, 26'544);
    EXPECT_EQ(r.kojyogo, 6'815'432);
    EXPECT_EQ(r.sasiMoney, 6'308'000);  // 6,815,432 − 26,544 − 480,000, cut to thousands
}

TEST(YearEnd, PersonalDeductions)
{
    auto hfks = [](auto set) {
        NentyoInput in = salary(5'000'000);
        set(in);
        return calcNentyo(2024, in).hfksKojyo - 480'000;
    };
    EXPECT_EQ(hfks([](NentyoInput&) {}), 0);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.famiNum = 2; }), 760'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.famiNum1 = 1; }), 630'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.famiNum2 = 1; }), 580'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.famiNum3 = 1; }), 480'000);
    // A disabled person's deduction is the class amount, not a dependant's share on top
    // (what it does to the tax is the composition PayTotalsAndBalance checks).
    EXPECT_EQ(hfks([](NentyoInput& i) { i.syugaisya = 1; }), 270'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.syugaisya1 = 1; }), 400'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.syugaisya2 = 1; }), 750'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.famiNum = 1; i.syugaisya = 1; }), 650'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.tkwoman = true; }), 350'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.singnam = true; }), 270'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.tkwoman = true; i.singnam = true; }), 350'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.gakusei = true; }), 270'000);
    EXPECT_EQ(hfks([](NentyoInput& i) { i.famiNum = -2; }), 0);
}

TEST(YearEnd, SpecificRelativesAddToTheDeductions)
{
    NentyoInput in = salary(6'550'000);
    in.tokutei = {700'000, 1'000'000, 1'300'000, 600'000};
    NentyoResult r = calcNentyo(2026, in);
    EXPECT_EQ(r.tokuteiKojyo, 1'040'000);
    EXPECT_EQ(r.hfksKojyo, 2'080'000);
    EXPECT_EQ(r.kojyoKei, 2'080'000);
    r = calcNentyo(2025, in);
    EXPECT_EQ(r.tokuteiKojyo, 1'670'000);  // 600,000 counts from 2025's lower floor
    EXPECT_EQ(calcNentyo(2024, in).tokuteiKojyo, 0);
}

TEST(YearEnd, HousingCreditAndRounding)
{
    NentyoInput in = salary(4'000'000, 600'000);
    in.kyuryoTax = 90'000;
    in.tokuKojyo = 200'000;
    NentyoResult r = calcNentyo(2024, in);
    EXPECT_EQ(r.calYearTax, 0.0);
    EXPECT_EQ(r.kakuteTax, 0);
    EXPECT_EQ(r.sasihiki, 90'000);
    // 99,999 after the credit: 102,098.979 with the surtax, 102,000 after the cut.
    in = salary(4'379'000, 0);  // income 3,060,800 → taxable 2,580,000 → 160,500
    in.tokuKojyo = 160'500 - 99'999;
    r = calcNentyo(2024, in);
    EXPECT_EQ(r.yearTax, 160'500);
    EXPECT_NEAR(r.calYearTax, 102'098.979, 1e-6);
    EXPECT_EQ(r.kakuteTax, 102'000);
}

TEST(YearEnd, NegativeTaxableIncomeIsNothing)
{
    const NentyoResult r = calcNentyo(2024, salary(1'000'000, 500'000));
    EXPECT_EQ(r.sasiMoney, 0);
    EXPECT_EQ(r.yearTax, 0);
    EXPECT_EQ(r.kakuteTax, 0);
}

TEST(YearEnd, NotAdjusted)
{
    NentyoInput in = salary(4'000'000, 600'000);
    in.kyuryoTax = 90'000;
    in.hoken2 = 10'000;
    in.kakekin = 20'000;
    in.tokuKojyo = 5'000;
    in.nentyo = false;
    NentyoResult r = calcNentyo(2026, in);
    EXPECT_FALSE(r.adjusted);
    EXPECT_EQ(r.p, 4'000'000);
    EXPECT_EQ(r.t, 90'000);
    EXPECT_EQ(r.hoken, 600'000);
    for (long long v : {r.kojyogo, r.hoken2, r.kakekin, r.semeKojyo, r.songaKojyo, r.haiguKojyo,
                        r.hfksKojyo, r.kojyoKei, r.sasiMoney, r.yearTax, r.tokuKojyo, r.kakuteTax,
                        r.sasihiki})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(r.calYearTax, 0.0);

    // Pay above 20,000,000 is outside the year-end adjustment: no refund of the year's tax.
    in = salary(20'000'001, 1'500'000);
    in.kyuryoTax = 3'000'000;
    r = calcNentyo(2024, in);
    EXPECT_TRUE(r.overPayLimit);
    EXPECT_FALSE(r.adjusted);
    EXPECT_EQ(r.sasihiki, 0);
    EXPECT_EQ(r.kakuteTax, 0);
    in.kyuryo = 20'000'000;
    r = calcNentyo(2024, in);
    EXPECT_FALSE(r.overPayLimit);
    EXPECT_EQ(r.kojyogo, 18'050'000);
    EXPECT_EQ(r.sasiMoney, 16'070'000);
    EXPECT_EQ(r.kakuteTax, 3'846'200);  // (16,070,000 × 33 % − 1,536,000) × 1.021
}

TEST(YearEndProperties, NeverNegativeNeverFallingWithPay)
{
    for (int year : {2024, 2025, 2026, 2027}) {
        long long last = 0;
        for (long long pay = 0; pay <= 20'000'000; pay += 1'000) {
            NentyoInput in = salary(pay);
            in.haigu = true;
            const long long tax = calcNentyo(year, in).kakuteTax;
            ASSERT_GE(tax, 0) << year << " " << pay;
            ASSERT_GE(tax, last) << year << " " << pay;
            last = tax;
        }
    }
}

} // namespace
