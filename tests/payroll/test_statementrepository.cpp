// MEISAI storage and the readers behind the statement screens, on a seeded database.
#include "payroll/kyuyocalculator.h"
#include "payroll/statementrepository.h"
#include "samplestatement.h"
#include "support/testdatadir.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::payroll;

namespace {

// The sample statement with what a round trip could lose: fractions, a negative
// amount, names in the last columns, the care kind.
MeisaiRecord salaryOf(const QString& month, const QString& code)
{
    MeisaiRecord s = test::sampleSalary00002();
    s.payMonth = month;
    s.employeeCode = code;
    s.overtimeHours[2] = 2.25;
    s.overtimePay[2] = 5000;
    s.hourlyRate = 1470.59;
    s.allowanceNames[8] = QStringLiteral("皆勤手当");
    s.deductionNames[4] = QStringLiteral("社宅");
    s.deductions[4] = 20000;
    s.workDays = 19.5;
    s.yearEndAdjustment = -1200;
    s.healthKind = QStringLiteral("1");
    return s;
}

class StatementRepositoryTest : public ::testing::Test {
protected:
    int meisaiRows() { return td.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI")); }

    test::TestDataDir td;
    StatementRepository repo{td.ctx(), QStringLiteral("InpKyuyo")};
};

} // namespace

TEST_F(StatementRepositoryTest, MasterWithItemsLookedUp)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET FUKACODE = 'B0002' WHERE JGICODE = '00002'")));
    ASSERT_TRUE(td.exec(QStringLiteral("INSERT INTO SONOTA VALUES('01', '00002', '2', '営業手当', 7000, '0')")));
    ASSERT_TRUE(td.exec(QStringLiteral("INSERT INTO SONOTAKOJYO VALUES('01', '00002', '3', '親睦会費', 500)")));
    bool ok = false;
    const std::optional<EmployeeMaster> m = repo.employeeMaster(QStringLiteral("00002"), &ok);
    ASSERT_TRUE(ok);
    ASSERT_TRUE(m.has_value());
    // The seeded master's items reach InpKyuyoTest.FullStatementFromTheMaster...; these are added here.
    EXPECT_EQ(m->additional, 20000);     // B0002
    EXPECT_EQ(m->allowanceNames[1], QStringLiteral("営業手当"));
    EXPECT_EQ(m->allowances[1], 7000);
    EXPECT_EQ(m->deductions[1], 500);
    EXPECT_TRUE(m->insured());
    EXPECT_EQ(repo.taxKubun(QStringLiteral("00002")), QStringLiteral("1"));
    EXPECT_EQ(repo.koyohokenSw(QStringLiteral("00001")), QStringLiteral("0"));
    EXPECT_EQ(repo.taxKubun(QStringLiteral("99999")), QStringLiteral("0"));
    EXPECT_EQ(repo.koyohokenSw(QStringLiteral("99999")), QString());
    EXPECT_FLOAT_EQ(repo.koyohokenRitu(), 0.0055);

    // An unknown code is no failure, just no master; a missing item code reads 0.
    const std::optional<EmployeeMaster> none = repo.employeeMaster(QStringLiteral("99999"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(none.has_value());
    long long amount = -1;
    EXPECT_TRUE(repo.qualificationAmount(QStringLiteral("ZZZ"), &amount));
    EXPECT_EQ(amount, 0);
    EXPECT_TRUE(td.messages().empty());
}

// The rates themselves reach the statements' figures (test_inpkyuyo, test_inpsyoyo);
// a factor left empty reads as 0, not as a failure.
TEST_F(StatementRepositoryTest, CompanyFactorLeftEmptyIsZero)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE COMPANY SET JKGNOMAL60 = NULL WHERE CID = '01'")));
    CompanyRates r;
    ASSERT_TRUE(repo.companyRates(&r));
    EXPECT_EQ(r.overtimeFactors[4], 0.0);
}

TEST_F(StatementRepositoryTest, SaveReadReplaceDelete)
{
    const MeisaiRecord s = salaryOf(QStringLiteral("202611"), QStringLiteral("00002"));
    ASSERT_TRUE(repo.saveStatement(s));
    std::optional<MeisaiRecord> back;
    ASSERT_TRUE(repo.readStatement(QStringLiteral("202611"), QStringLiteral("00002"), QStringLiteral("1"), &back));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);

    MeisaiRecord changed = s;
    changed.kihonkyu = 260000;
    ASSERT_TRUE(repo.saveStatement(changed));
    ASSERT_TRUE(repo.saveStatement(changed));
    EXPECT_EQ(meisaiRows(), 1);
    ASSERT_TRUE(repo.readStatement(QStringLiteral("202611"), QStringLiteral("00002"), QStringLiteral("1"), &back));
    EXPECT_EQ(back->kihonkyu, 260000);

    // A bonus of the same month is its own row and survives deleting the salary.
    MeisaiRecord bonus = changed;
    bonus.kind = QStringLiteral("2");
    ASSERT_TRUE(repo.saveStatement(bonus));
    EXPECT_EQ(meisaiRows(), 2);
    ASSERT_TRUE(repo.deleteStatement(QStringLiteral("202611"), QStringLiteral("00002"), QStringLiteral("1")));
    ASSERT_TRUE(repo.readStatement(QStringLiteral("202611"), QStringLiteral("00002"), QStringLiteral("1"), &back));
    EXPECT_FALSE(back.has_value());
    EXPECT_EQ(meisaiRows(), 1);
    EXPECT_TRUE(td.messages().empty());
}

TEST_F(StatementRepositoryTest, FailedInsertKeepsTheOldRow)
{
    const MeisaiRecord s = salaryOf(QStringLiteral("202611"), QStringLiteral("00002"));
    ASSERT_TRUE(repo.saveStatement(s));
    ASSERT_TRUE(td.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON MEISAI BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));
    MeisaiRecord changed = s;
    changed.kihonkyu = 1;
    EXPECT_FALSE(repo.saveStatement(changed));
    std::optional<MeisaiRecord> back;
    ASSERT_TRUE(repo.readStatement(QStringLiteral("202611"), QStringLiteral("00002"), QStringLiteral("1"), &back));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
    ASSERT_FALSE(td.messages().empty());
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    EXPECT_TRUE(td.ctx().log().lines().join(QLatin1Char('\n')).contains(QStringLiteral("Publish.WriteMeisaiTable")));
}

TEST_F(StatementRepositoryTest, TextInANumberColumnIsReportedNotShown)
{
    ASSERT_TRUE(repo.saveStatement(salaryOf(QStringLiteral("202611"), QStringLiteral("00002"))));
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE MEISAI SET KIHONKYU = 'abc'")));
    std::optional<MeisaiRecord> back;
    EXPECT_FALSE(repo.readStatement(QStringLiteral("202611"), QStringLiteral("00002"), QStringLiteral("1"), &back));
    EXPECT_FALSE(back.has_value());
    EXPECT_TRUE(td.ctx().log().lines().join(QLatin1Char('\n')).contains(QStringLiteral("InpKyuyo.read_meisai_data")));
}

TEST_F(StatementRepositoryTest, PreviousMonthPayAcrossJanuary)
{
    MeisaiRecord december = salaryOf(QStringLiteral("202612"), QStringLiteral("00002"));
    ASSERT_TRUE(repo.saveStatement(december));
    // Pay columns 240,000 + 12,000 + 5,000 + 10,000 + 5,000 + 3,000 + 5,000 = 280,000; less the
    // non-taxed commuting allowance and 42,318 of social insurance.
    EXPECT_EQ(repo.previousMonthPay(QStringLiteral("00002"), QStringLiteral("202701")), 280000 - 12000 - 42318);
    EXPECT_EQ(repo.previousMonthPay(QStringLiteral("00002"), QStringLiteral("202702")), std::nullopt);
    EXPECT_EQ(repo.previousMonthPay(QStringLiteral("00003"), QStringLiteral("202701")), std::nullopt);
    // A bonus row of December is not a salary.
    MeisaiRecord bonus = december;
    bonus.employeeCode = QStringLiteral("00003");
    bonus.kind = QStringLiteral("2");
    ASSERT_TRUE(repo.saveStatement(bonus));
    EXPECT_EQ(repo.previousMonthPay(QStringLiteral("00003"), QStringLiteral("202701")), std::nullopt);
    // Nothing left after social insurance counts as no salary.
    MeisaiRecord small = salaryOf(QStringLiteral("202606"), QStringLiteral("00002"));
    small.kihonkyu = 0;
    ASSERT_TRUE(repo.saveStatement(small));
    EXPECT_EQ(repo.previousMonthPay(QStringLiteral("00002"), QStringLiteral("202607")), std::nullopt);
}

TEST_F(StatementRepositoryTest, HealthStandardOfEarlierBonusesInTheFiscalYear)
{
    auto bonus = [&](const char* month, long long amount, long long health) {
        MeisaiRecord b;
        b.cid = QStringLiteral("01");
        b.payMonth = QLatin1String(month);
        b.employeeCode = QStringLiteral("00002");
        b.kind = QStringLiteral("2");
        b.kihonkyu = amount;
        b.health = health;
        ASSERT_TRUE(repo.saveStatement(b));
    };
    bonus("202603", 900999, 1);    // fiscal year before
    bonus("202606", 2000500, 1);   // counts 2,000,000
    bonus("202607", 300000, 0);    // no health insurance paid on it
    bonus("202609", 1000999, 1);   // counts 1,000,000
    bonus("202612", 1000000, 1);   // the month itself
    bonus("202702", 500000, 1);    // later
    EXPECT_EQ(repo.healthStandardEarlier(QStringLiteral("00002"), QStringLiteral("202612")), 3000000);
    EXPECT_EQ(repo.healthStandardEarlier(QStringLiteral("00002"), QStringLiteral("202603")), 0);
    EXPECT_EQ(repo.healthStandardEarlier(QStringLiteral("00002"), QStringLiteral("202703")), 4500000);
    EXPECT_EQ(repo.healthStandardEarlier(QStringLiteral("00003"), QStringLiteral("202612")), 0);
}
