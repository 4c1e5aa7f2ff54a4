// The statement computations on plain records where no screen reaches them: the
// rounding, the master's items, the row, the bonus premiums with their caps and
// the month helpers. Each step of a salary and a bonus statement is checked with
// hand-worked figures through the screens (test_inpkyuyo, test_inpsyoyo), which
// run these same calculators.
#include "db/schema.h"
#include "payroll/kyuyocalculator.h"
#include "payroll/syoyocalculator.h"
#include "samplestatement.h"

#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::payroll;

namespace {

CompanyRates sampleRates()
{
    return {{1.25, 1.35, 1.5, 1.6, 1.5, 1.75}, 10000, 5000, 0.0055, 9.91, 11.5, 18.3};
}

MeisaiRecord bonusOf00002(int dependants)
{
    return newBonusStatement(QStringLiteral("01"), QStringLiteral("202612"), QStringLiteral("00002"), QStringLiteral("1"),
                             dependants, QStringLiteral("0"));
}

} // namespace

TEST(WholeYen, FiftySenAndMoreRoundUp)
{
    const struct {
        double in;
        long long out;
    } cases[] = {{0.0, 0}, {0.49, 0}, {0.5, 1}, {1213.5, 1214}, {1884.375, 1884}, {21236.25, 21236},
                 {4368.6, 4369}, {-2.5, -3}, {-2.4, -2}, {1.1 * 3 * 1000 / 2, 1650}};
    for (const auto& c : cases)
        EXPECT_EQ(wholeYen(c.in), c.out) << c.in;
}

TEST(CalculateKyuyo, LargeDeductionsNeverGiveNegativeTaxOrPremium)
{
    MeisaiRecord in;
    in.payMonth = QStringLiteral("202612");
    in.hourlyRate = 2000;
    in.absenceHours = 100;   // 200,000 deducted from nothing
    in.health = 30000;
    const KyuyoResult r = calculateKyuyo(in, sampleRates(), {true, true});
    EXPECT_EQ(r.totalPay, -200000);
    EXPECT_EQ(r.statement.employmentInsurance, 0);
    EXPECT_EQ(r.statement.tax, 0);
}

TEST(NewSalaryStatement, TakesEveryMasterItem)
{
    // The master and the statement name their items alike: the same values go into both.
    auto items = [](auto& x) {
        x.employeeKind = QStringLiteral("3");
        x.healthKind = QStringLiteral("1");
        x.dependants = 2;
        x.kihonkyu = 1;
        x.yhosyu = 2;
        x.food = 3;
        x.commuting = 4;
        x.housing = 5;
        x.family = 6;
        x.health = 7;
        x.pension = 8;
        x.residentTax = 9;
        x.hourlyRate = 1234.5;
        x.qualification = 10;
        x.additional = 11;
        x.allowanceNames[8] = QStringLiteral("九");
        x.allowances[8] = 12;
        x.deductions[4] = 13;
    };
    EmployeeMaster m;
    items(m);
    m.code = QStringLiteral("00009");
    m.deductionNames[4] = QStringLiteral("五");
    MeisaiRecord e;
    items(e);
    e.cid = QStringLiteral("07");
    e.payMonth = QStringLiteral("202604");
    e.employeeCode = QStringLiteral("00009");
    e.deductionNames = {QStringLiteral("その他控除１"), QStringLiteral("その他控除２"), QStringLiteral("その他控除３"),
                        QStringLiteral("その他控除４"), QStringLiteral("五")};
    EXPECT_EQ(newSalaryStatement(m, QStringLiteral("07"), QStringLiteral("202604")), e);
    EXPECT_EQ(basicPayFromHours(0.75, 1111), 833);   // 833.25
}

TEST(MeisaiRecord, RowValuesInColumnOrder)
{
    MeisaiRecord r = test::sampleSalary00002();
    r.overtimeHours[5] = 1.5;
    r.yearEndAdjustment = -3000;
    const db::RowValues v = r.toRowValues();
    const db::TableDef& def = db::tableDef(db::Table::Meisai);
    ASSERT_EQ(v.size(), 73);
    auto at = [&](const char* column) { return v.at(def.indexOf(QLatin1String(column))); };
    EXPECT_EQ(at("CID"), QStringLiteral("01"));
    EXPECT_EQ(at("SIKYUBI"), QStringLiteral("202612"));
    EXPECT_EQ(at("SIKYUKBN"), QStringLiteral("1"));
    EXPECT_EQ(at("KIHONKYU"), QStringLiteral("240000"));
    EXPECT_EQ(at("TUKINTEATE"), QStringLiteral("12000"));
    EXPECT_EQ(at("SINYATIME60"), QStringLiteral("1.5"));
    EXPECT_EQ(at("STEATE1NM"), QStringLiteral("資格手当（追加）"));
    EXPECT_EQ(at("STEATE1"), QStringLiteral("3000"));
    EXPECT_EQ(at("TIMEMONEY"), QStringLiteral("1618"));
    EXPECT_EQ(at("SKOJYO1NM"), QStringLiteral("財形貯蓄"));
    EXPECT_EQ(at("FAMINUM"), QStringLiteral("1"));
    EXPECT_EQ(at("NENTYOMONEY"), QStringLiteral("-3000"));
    EXPECT_EQ(v.at(72), QStringLiteral("0"));   // KEHOKBN, the last column
}

// The bonus premiums: rate × standard amount / 100 / 2, 50 sen and less down.
TEST(BonusPremium, HalfYenRoundsDownAboveRoundsUp)
{
    const struct {
        double rate;
        long long standard;
        long long premium;
    } cases[] = {
        {9.97, 345000, 17198},      // 17,198.25
        {34.397, 100000, 17198},    // 17,198.5 exactly
        {34.39702, 100000, 17199},  // 17,198.51
        {9.9, 5000, 247},           // 247.5
        {18.3, 345000, 31567},      // 31,567.5
        {11.5, 561000, 32257},      // 32,257.5
        {9.91, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bonusPremium(c.rate, c.standard), c.premium) << c.rate << " × " << c.standard;
}

TEST(CalculateSyoyo, CapsOnTheStandardAmount)
{
    const struct {
        long long bonus;
        long long earlier;
        long long health;
        long long pension;
    } cases[] = {
        {2000500, 0, 2000000, 1500000},        // pension capped per payment
        {1500999, 0, 1500000, 1500000},
        {1000000, 5000000, 730000, 1000000},   // what is left of the year's 5,730,000
        {1000000, 5730000, 0, 1000000},
        {1000000, 6000000, 0, 1000000},
        {999, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SyoyoParameters p;
        p.rates = sampleRates();
        p.insured = true;
        p.healthStandardEarlier = c.earlier;
        MeisaiRecord in = bonusOf00002(0);
        in.kihonkyu = c.bonus;
        const SyoyoResult r = calculateSyoyo(in, p);
        EXPECT_EQ(r.healthStandard, c.health) << c.bonus << " after " << c.earlier;
        EXPECT_EQ(r.pensionStandard, c.pension) << c.bonus;
        EXPECT_EQ(r.statement.health, bonusPremium(9.91, c.health));
        EXPECT_EQ(r.statement.pension, bonusPremium(18.3, c.pension));
    }
}

TEST(CalculateSyoyo, NoSalaryLastMonthIsNotTheRateTable)
{
    SyoyoParameters p;
    p.rates = sampleRates();
    p.switches = {false, true};
    MeisaiRecord in = bonusOf00002(1);
    in.kihonkyu = 295012;
    p.previousPay = std::nullopt;
    const long long none = calculateSyoyo(in, p).statement.tax;
    EXPECT_EQ(none, bonusWithholding(QStringLiteral("202612"), 295012, std::nullopt, 1).tax);
    p.previousPay = 231460;
    EXPECT_EQ(calculateSyoyo(in, p).statement.tax, 6024);
}

TEST(StatementMonths, PreviousMonthAndFiscalYear)
{
    const struct {
        const char* month;
        const char* previous;
        const char* fiscal;
    } cases[] = {
        {"202701", "202612", "202604"}, {"202612", "202611", "202604"}, {"202604", "202603", "202604"},
        {"202603", "202602", "202504"}, {"202610", "202609", "202604"}, {"0025" "01", "002412", "002404"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(previousPayMonth(QLatin1String(c.month)), QLatin1String(c.previous)) << c.month;
        EXPECT_EQ(fiscalYearStart(QLatin1String(c.month)), QLatin1String(c.fiscal)) << c.month;
    }
}
