// The statement computations on plain records: each step of the salary statement,
// the bonus premiums with their caps, and the month helpers.
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

MeisaiRecord regularEmployee() { return test::sampleSalary00002(); }

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

TEST(CalculateKyuyo, FullStatementEveryStep)
{
    MeisaiRecord in = regularEmployee();
    in.overtimeHours = {10.5, 2, 3.25, 1, 0.5, 0.25};
    in.holidayDays = 1;
    in.callOuts = 2;
    in.absenceHours = 1.5;
    const KyuyoResult r = calculateKyuyo(in, sampleRates(), {true, true});

    MeisaiRecord expected = in;
    // 10.5 h × 1,618 × 1.25 = 21,236.25; 2 × 1.35 → 4,368.6; 3.25 × 1.5 → 7,887.75;
    // 1 × 1.6 → 2,588.8; 0.5 × 1.5 → 1,213.5; 0.25 × 1.75 → 707.875
    expected.overtimePay = {21236, 4369, 7888, 2589, 1214, 708};
    expected.holidayPay = 10000;
    expected.callOutPay = 10000;
    expected.absenceDeduction = 2427;
    expected.employmentInsurance = 1818;   // 330,577 × 0.0055 = 1,818.17
    expected.tax = 5380;                   // R8, one dependant, on 274,441
    EXPECT_EQ(r.statement, expected);
    EXPECT_EQ(r.totalPay, 330577);
    EXPECT_EQ(r.nonTaxable, 12000);
    EXPECT_EQ(r.taxable, 318577);
    EXPECT_EQ(r.socialInsurance, 14868 + 27450 + 1818);
    EXPECT_EQ(r.afterSocialInsurance, 274441);
    EXPECT_EQ(r.deductionTotal, 5380 + 12500 + 10000);
    EXPECT_EQ(r.netPay, 274441 - 27880 + 12000);
    EXPECT_TRUE(r.taxComputed);
    EXPECT_FALSE(r.taxResult.newerRulesMissing);
}

TEST(CalculateKyuyo, OvertimeExample)
{
    MeisaiRecord in;
    in.payMonth = QStringLiteral("202612");
    in.hourlyRate = 1500;
    in.overtimeHours[0] = 10;
    EXPECT_EQ(calculateKyuyo(in, sampleRates(), {}).statement.overtimePay[0], 18750);
}

TEST(CalculateKyuyo, CommutingIsInsuredButNotTaxed)
{
    MeisaiRecord without = regularEmployee();
    MeisaiRecord with = regularEmployee();
    without.commuting = 0;
    with.commuting = 100000;
    const KyuyoResult a = calculateKyuyo(without, sampleRates(), {true, true});
    const KyuyoResult b = calculateKyuyo(with, sampleRates(), {true, true});
    EXPECT_EQ(b.totalPay - a.totalPay, 100000);
    EXPECT_EQ(b.taxable, a.taxable);
    EXPECT_EQ(b.statement.employmentInsurance - a.statement.employmentInsurance, 550);
    // The premium grows, so the taxable base after it shrinks and the tax cannot rise.
    EXPECT_LE(b.statement.tax, a.statement.tax);
    EXPECT_EQ(b.netPay - a.netPay, 100000 - 550 + (a.statement.tax - b.statement.tax));
}

TEST(CalculateKyuyo, DirectorsRemunerationOutsideTheInsuranceBase)
{
    MeisaiRecord in = regularEmployee();
    in.employeeKind = QStringLiteral("0");
    in.yhosyu = 500000;
    const KyuyoResult r = calculateKyuyo(in, sampleRates(), {true, true});
    EXPECT_EQ(r.totalPay, 240000 + 500000 + 12000 + 5000 + 10000 + 5000 + 3000);
    EXPECT_EQ(r.statement.employmentInsurance, employmentInsurancePremium(0.0055, r.totalPay - 500000));
}

TEST(CalculateKyuyo, SwitchesOffKeepTypedAmounts)
{
    MeisaiRecord in = regularEmployee();
    in.employmentInsurance = 777;
    in.tax = 4321;
    in.overtimeHours[0] = 20;
    const KyuyoResult r = calculateKyuyo(in, sampleRates(), {false, false});
    EXPECT_EQ(r.statement.employmentInsurance, 777);
    EXPECT_EQ(r.statement.tax, 4321);
    EXPECT_FALSE(r.taxComputed);
    EXPECT_EQ(r.socialInsurance, 14868 + 27450 + 777);
    EXPECT_EQ(r.deductionTotal, 4321 + 12500 + 10000);
}

TEST(CalculateKyuyo, YearEndAdjustmentMovesNetPayOnly)
{
    for (long long adjustment : {15000LL, -8000LL}) {
        MeisaiRecord in = regularEmployee();
        const KyuyoResult base = calculateKyuyo(in, sampleRates(), {true, true});
        in.yearEndAdjustment = adjustment;
        const KyuyoResult r = calculateKyuyo(in, sampleRates(), {true, true});
        EXPECT_EQ(r.netPay, base.netPay + adjustment);
        EXPECT_EQ(r.statement.tax, base.statement.tax);
        EXPECT_EQ(r.deductionTotal, base.deductionTotal);
    }
}

TEST(CalculateKyuyo, TaxFollowsThePayMonthAndSaysWhenRulesAreMissing)
{
    MeisaiRecord in;
    in.kihonkyu = 300000;
    in.payMonth = QStringLiteral("201304");
    EXPECT_EQ(calculateKyuyo(in, sampleRates(), {false, true}).statement.tax, 8380);
    in.payMonth = QStringLiteral("201212");
    EXPECT_EQ(calculateKyuyo(in, sampleRates(), {false, true}).statement.tax, 8210);
    in.payMonth = QStringLiteral("202812");
    const KyuyoResult late = calculateKyuyo(in, sampleRates(), {false, true});
    EXPECT_TRUE(late.taxResult.newerRulesMissing);
    EXPECT_FALSE(rulesNotice(late.taxResult).isEmpty());
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
    EXPECT_EQ(basicPayFromHours(80.5, 1200), 96600);
    EXPECT_EQ(basicPayFromHours(0.75, 1111), 833);   // 833.25
}

TEST(MeisaiRecord, RowValuesInColumnOrder)
{
    MeisaiRecord r = regularEmployee();
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

TEST(CalculateSyoyo, StandardAmountPremiumsTaxAndNet)
{
    SyoyoParameters p;
    p.rates = sampleRates();
    p.rates.healthRate = 9.97;
    p.switches = {true, true};
    p.insured = true;
    p.previousPay = 231460;
    MeisaiRecord in = bonusOf00002(1);
    in.kihonkyu = 345678;
    in.deductionNames[0] = QStringLiteral("財形");
    in.deductions[0] = 20000;
    in.deductions[1] = 1000;
    const SyoyoResult r = calculateSyoyo(in, p);
    EXPECT_EQ(r.standardAmount, 345000);
    MeisaiRecord e = in;
    e.health = 17198;
    e.pension = 31567;
    e.employmentInsurance = 1901;   // on the whole bonus: 345,678 × 0.0055 = 1,901.23
    e.tax = 6024;                   // 2.042 % of 295,012 (R8, one dependant, previous pay 231,460)
    EXPECT_EQ(r.statement, e);
    EXPECT_EQ(r.socialInsurance, 50666);
    EXPECT_EQ(r.afterSocialInsurance, 295012);
    EXPECT_EQ(r.deductionTotal, 50666 + 6024 + 21000);
    EXPECT_EQ(r.netPayment, 345678 - r.deductionTotal);
}

TEST(CalculateSyoyo, CareInsuranceRateUninsuredAndTypedValues)
{
    SyoyoParameters p;
    p.rates = sampleRates();
    p.switches = {false, false};
    MeisaiRecord in = newBonusStatement(QStringLiteral("01"), QStringLiteral("202612"), QStringLiteral("00001"),
                                        QStringLiteral("0"), 2, QStringLiteral("1"));
    in.kihonkyu = 561999;
    in.health = 111;
    in.pension = 222;
    in.employmentInsurance = 333;
    in.tax = 444;
    // Not insured: whatever the fields hold stays.
    SyoyoResult r = calculateSyoyo(in, p);
    EXPECT_EQ(r.statement, in);
    EXPECT_EQ(r.deductionTotal, 111 + 222 + 333 + 444);
    // Insured with the care-insurance kind: the higher health rate on 561,000.
    p.insured = true;
    r = calculateSyoyo(in, p);
    EXPECT_EQ(r.statement.health, 32257);
    EXPECT_EQ(r.statement.pension, bonusPremium(18.3, 561000));
    EXPECT_EQ(r.statement.employmentInsurance, 333);
    EXPECT_EQ(r.statement.tax, 444);
    in.healthKind = QStringLiteral("0");
    EXPECT_EQ(calculateSyoyo(in, p).statement.health, bonusPremium(9.91, 561000));
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
