// Social-insurance premiums from the standard monthly remuneration. The prefecture and
// grade tables are checked against a copy of the reference (data/social-insurance.md);
// the other figures are worked by hand from its rules.
#include "masters/shahostore.h"
#include "payroll/payslipdata.h"
#include "payroll/paysliplayout.h"
#include "payroll/shahopremiums.h"
#include "payroll/syoyocalculator.h"
#include "reports/recordingcanvas.h"
#include "support/testdatadir.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::payroll;

namespace {

// The rows of the reference's table under `heading`: the cells of each "| … |" line.
QList<QStringList> referenceTable(const QString& heading)
{
    QFile f(QStringLiteral(MINASEL_SHAHO_REFERENCE));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    QList<QStringList> rows;
    bool inSection = false;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("## ")))
            inSection = line.contains(heading);
        if (!inSection || !line.startsWith(QLatin1Char('|')) || !line.contains(QRegularExpression(QStringLiteral("\\d"))))
            continue;
        QStringList cells = line.split(QLatin1Char('|')).mid(1);
        cells.removeLast();
        for (QString& c : cells)
            c = c.trimmed().remove(QLatin1Char(','));
        rows << cells;
    }
    return rows;
}

} // namespace

TEST(ShahoRates, EveryPrefectureAsTheReferenceHasIt)
{
    const QList<QStringList> rows = referenceTable(QStringLiteral("協会けんぽ 健康保険料率"));
    ASSERT_EQ(rows.size(), kPrefectures);
    const Dated<KenpoRates> r8 = kenpoRatesFor(202603);
    ASSERT_TRUE(r8.rules);
    for (const QStringList& row : rows) {
        const int code = row[0].toInt();
        EXPECT_EQ(prefectureName(code), row[1]);
        EXPECT_EQ(prefectureCode(row[1]), code);
        EXPECT_EQ(r8.rules->health[size_t(code - 1)], qRound(row[2].toDouble() * 1000)) << row[1].toStdString();
    }
    EXPECT_EQ(r8.rules->care, 1620);
    EXPECT_EQ(prefectureCode(QStringLiteral("東京")), 13);
    EXPECT_EQ(prefectureCode(QStringLiteral("京都")), 26);
    EXPECT_EQ(prefectureCode(QStringLiteral("東京都千代田区")), 13);
    EXPECT_EQ(prefectureCode(QStringLiteral("48")), 0);
    EXPECT_EQ(prefectureCode(QStringLiteral("ロンドン")), 0);
}

// Each grade from its lower bound; one yen below, the grade before.
TEST(ShahoRates, EveryGradeBoundaryAndThePensionClamp)
{
    const QList<QStringList> rows = referenceTable(QStringLiteral("grades"));
    ASSERT_EQ(rows.size(), 50);
    const PensionRules& pension = *pensionRulesFor(202611).rules;
    for (const QStringList& row : rows) {
        const int grade = row[0].toInt();
        const long long amount = row[2].toLongLong();
        EXPECT_EQ(gradeOfAmount(amount)->grade, grade);
        if (grade > 1) {
            const long long from = row[3].toLongLong();
            EXPECT_EQ(gradeForRemuneration(from).amount, amount) << from;
            EXPECT_EQ(gradeForRemuneration(from - 1).grade, grade - 1) << from - 1;
        }
        // The pension's grade where the reference gives one, else the clamped end.
        const int pensionGradeOf = row[1].isEmpty() ? (grade < 4 ? 1 : 32) : row[1].toInt();
        EXPECT_EQ(pensionGrade(amount, pension), pensionGradeOf) << amount;
    }
    EXPECT_EQ(gradeForRemuneration(0).amount, 58'000);
    EXPECT_EQ(gradeForRemuneration(50'000'000).amount, 1'390'000);
    EXPECT_EQ(gradeOfAmount(305'000), nullptr);
    // Pension at both ends: 88,000 × 18.3 % / 2 = 8,052; 650,000 × 18.3 % / 2 = 59,475.
    const PremiumRates tokyo{9850, 11470, 230, 18300};
    EXPECT_EQ(monthlyPremium(58'000, {}, tokyo, pension).pension, 8'052);
    EXPECT_EQ(monthlyPremium(88'000, {}, tokyo, pension).pension, 8'052);
    EXPECT_EQ(monthlyPremium(650'000, {}, tokyo, pension).pension, 59'475);
    EXPECT_EQ(monthlyPremium(1'390'000, {}, tokyo, pension).pension, 59'475);
}

TEST(ShahoCalc, HalfYenDownAboveItUpAndTheWorkedExample)
{
    const struct {
        long long amount;
        int rate;
        long long half;
    } cases[] = {
        {1'000, 100, 0},            // 0.50
        {1'000, 101, 1},            // 0.505
        {1'000, 102, 1},            // 0.51
        {300'000, 9851, 14'776},    // 14,776.5
        {300'000, 10080, 15'120},   // the example: (9.85 + 0.23) %
        {300'000, 230, 345},        // of which the levy
        {58'000, 11700, 3'393},     // 3,393.0
        {68'000, 9850 + 1620 + 230, 3'978},   // 3,978.0
        {78'000, 9850 + 230, 3'931},          // 3,931.2
    };
    for (const auto& c : cases)
        EXPECT_EQ(halfPremium(c.amount, c.rate), c.half) << c.amount << " × " << c.rate;
    const MonthlyPremium p = monthlyPremium(300'000, {}, {9850, 11470, 230, 18300}, *pensionRulesFor(202604).rules);
    EXPECT_EQ(p.health, 15'120);
    EXPECT_EQ(p.shienPart, 345);
    EXPECT_EQ(p.pension, 27'450);
    EXPECT_EQ(p.grade->grade, 22);
    EXPECT_EQ(p.pensionGrade, 19);
}

// From the month holding the day before the 40th birthday to the month before the one
// holding the day before the 65th.
TEST(ShahoCalc, CareMonthsAroundBirthdaysOnTheFirstAndSecond)
{
    const struct {
        const char* birthday;
        int month;
        bool care;
        int age;
    } cases[] = {
        {"19860401", 202602, false, 39}, {"19860401", 202603, true, 40},    // the eve is 31 March
        {"19860402", 202603, false, 39}, {"19860402", 202604, true, 40},
        {"19860401", 205102, true, 64},  {"19860401", 205103, false, 65},   // the eve of 65 is 31 March 2051
        {"19860402", 205103, true, 64},  {"19860402", 205104, false, 65},
        {"19870301", 202701, false, 39}, {"19870301", 202702, true, 40},
    };
    for (const auto& c : cases) {
        const QDate b = QDate::fromString(QLatin1String(c.birthday), QStringLiteral("yyyyMMdd"));
        EXPECT_EQ(careInsured(b, c.month), c.care) << c.birthday << " " << c.month;
        EXPECT_EQ(ageInMonth(b, c.month), c.age) << c.birthday << " " << c.month;
    }
    const QDate b = QDate(1986, 4, 1);
    EXPECT_EQ(careWarning(b, 202603, false), QStringLiteral("介護保険の対象月です（40歳）"));
    EXPECT_EQ(careWarning(b, 205103, true), QStringLiteral("介護保険の対象外の月です（65歳）"));
    EXPECT_EQ(careWarning(b, 202603, true), QString());
    EXPECT_EQ(careWarning(QDate(), 202603, false), QString());
}

// The pension ends with the month before the one holding the day before the 70th
// birthday; health (and its levy) with the month before the one holding the 75th
// birthday itself, so a birthday on the 1st ends them in different months.
TEST(ShahoCalc, PensionEndsAt70AndHealthAt75)
{
    const struct {
        const char* birthday;
        int month;
        bool health;
        bool pension;
        int age;
    } cases[] = {
        {"19561215", 202611, true, true, 69},  {"19561215", 202612, true, false, 70},
        {"19561201", 202610, true, true, 69},  {"19561201", 202611, true, false, 70},   // eve 30 November
        {"19511120", 202610, true, false, 74}, {"19511120", 202611, false, false, 75},
        {"19511101", 202610, true, false, 75}, {"19511101", 202611, false, false, 75},  // 75 on 31 October
        {"19880301", 202701, true, true, 38},  {"19880301", 202702, true, true, 39},    // eve 28 February 2027
    };
    for (const auto& c : cases) {
        const QDate b = QDate::fromString(QLatin1String(c.birthday), QStringLiteral("yyyyMMdd"));
        const InsuredByAge who = insuredByAge(b, c.month);
        EXPECT_EQ(who.health, c.health) << c.birthday << " " << c.month;
        EXPECT_EQ(who.pension, c.pension) << c.birthday << " " << c.month;
        EXPECT_EQ(ageInMonth(b, c.month), c.age) << c.birthday << " " << c.month;
    }
    // 300,000 in Tokyo: health 15,120 (levy 345) stays at 70, pension 27,450 goes; at 75 both go.
    const PremiumRates tokyo{9850, 11470, 230, 18300};
    const PensionRules& pension = *pensionRulesFor(202612).rules;
    const MonthlyPremium at70 = monthlyPremium(300'000, insuredByAge(QDate(1956, 12, 15), 202612), tokyo, pension);
    EXPECT_EQ(at70.health, 15'120);
    EXPECT_EQ(at70.pension, 0);
    const MonthlyPremium at75 = monthlyPremium(300'000, insuredByAge(QDate(1951, 11, 20), 202611), tokyo, pension);
    EXPECT_EQ(at75.health + at75.shienPart + at75.carePart + at75.pension, 0);
    EXPECT_EQ(ageNotices(insuredByAge(QDate(1951, 11, 20), 202611)).size(), 2);
}

TEST(ShahoRates, NewestRatesNotices)
{
    StatutoryRates r;
    QString error;
    ASSERT_TRUE(statutoryRates(13, 202702, 202703, 1, &r, &error));
    EXPECT_TRUE(r.notices.isEmpty());
    EXPECT_EQ(r.health, 9850);
    EXPECT_EQ(r.healthCare, 11470);
    EXPECT_DOUBLE_EQ(r.koyo, 0.005);
    ASSERT_TRUE(statutoryRates(41, 202703, 202704, 3, &r, &error));
    EXPECT_EQ(r.health, 10550);
    EXPECT_DOUBLE_EQ(r.koyo, 0.006);
    EXPECT_EQ(r.notices, (QStringList{
        QStringLiteral("2027年3月分の協会けんぽの料率は未収録のため、2026年3月分からの協会けんぽの料率で計算しています。"),
        QStringLiteral("2027年4月支給分の雇用保険料率は未収録のため、2026年4月支給分からの雇用保険料率で計算しています。")}));
    ASSERT_TRUE(statutoryRates(13, 202603, 202603, 2, &r, &error));
    EXPECT_DOUBLE_EQ(r.koyo, 0.0065);   // 令和7年度 for March 2026 pay
    EXPECT_FALSE(statutoryRates(13, 202602, 202603, 1, &r, &error));
    EXPECT_EQ(error, QStringLiteral("2026年3月分より前の料率は収録されていません。"));
    EXPECT_FALSE(statutoryRates(0, 202604, 202605, 1, &r, &error));
    bool beyond = false;
    EXPECT_EQ(shienRateFor(202603, &beyond), 0);
    EXPECT_EQ(shienRateFor(202804, &beyond), 230);
    EXPECT_TRUE(beyond);
}

namespace {

struct ShahoDb : ::testing::Test {
    test::TestDataDir td;
    void SetUp() override
    {
        ASSERT_TRUE(td.exec(QStringLiteral("UPDATE COMPANY SET KEKOHOKEN = 9.85, KEKOHOKEN2 = 11.47, KONEHOKEN = 18.3 "
                                           "WHERE CID = '01'")));
    }
    void settings(bool sameMonth, bool byLaw = true, double rate = 0)
    {
        masters::SyahoSettings s;
        s.sameMonth = sameMonth;
        s.shienByLaw = byLaw;
        s.shienRate = rate;
        ASSERT_TRUE(masters::ShahoStore(td.ctx(), QStringLiteral("test")).saveSettings(QStringLiteral("01"), s));
    }
    long long health(int payMonth, const char* birthday = "19900101")
    {
        StatementInsurance ins;
        EXPECT_TRUE(ShahoPremiums(td.ctx(), QStringLiteral("test"))
                        .salaryFor({300'000, 0, QLatin1String(birthday), false}, payMonth, &ins));
        return ins.premium.health;
    }
};

} // namespace

// 300,000 in Tokyo: 14,775 without the levy, 15,120 with it.
TEST_F(ShahoDb, LevyFromPremiumMonth202604UnderNextAndSameMonthCollection)
{
    EXPECT_EQ(health(202604), 14'775);   // collects 202603
    EXPECT_EQ(health(202605), 15'120);
    settings(true);
    EXPECT_EQ(health(202603), 14'775);
    EXPECT_EQ(health(202604), 15'120);
    settings(false, false, 0.3);        // a fund's own levy rate: (9.85 + 0.3) % → 15,225
    EXPECT_EQ(health(202604), 14'775);
    EXPECT_EQ(health(202605), 15'225);
    // Care by age: born 2 April 1986, care from premium month 202604, collected in May.
    settings(false);
    EXPECT_EQ(health(202604, "19860402"), 14'775);
    EXPECT_EQ(health(202605, "19860402"), 17'550);
    StatementInsurance ins;
    ShahoPremiums(td.ctx(), QStringLiteral("test")).salaryFor({300'000, 0, QString(), false}, 202706, &ins);
    EXPECT_EQ(ins.notices, QStringList{QStringLiteral(
        "2027年5月分の子ども・子育て支援金率は未収録のため、2026年4月分からの子ども・子育て支援金率で計算しています。")});
}

// A bonus pays the levy from its own month, on what is left of the year's health cap
// (the fiscal year's sum itself: HealthStandardOfEarlierBonusesInTheFiscalYear).
TEST(ShahoBonus, LevyFromItsOwnMonthWithinTheYearsCap)
{
    // The bonus's levy from its own month: (9.85 + 0.23) % × 230,000 / 2 = 11,592; levy 264.5 → 264.
    SyoyoParameters p;
    p.rates.healthRate = 9.85;
    p.insured = true;
    p.healthStandardEarlier = 5'500'000;
    p.shienRate = 230;
    MeisaiRecord b = newBonusStatement(QStringLiteral("01"), QStringLiteral("202703"), QStringLiteral("00002"),
                                       QStringLiteral("1"), 0, QStringLiteral("0"));
    b.kihonkyu = 1'000'999;
    const SyoyoResult r = calculateSyoyo(b, p);
    EXPECT_EQ(r.statement.health, 11'592);
    EXPECT_EQ(r.shienPart, 264);
    EXPECT_EQ(r.pensionStandard, 1'000'000);

    // At 70 the bonus keeps its health premium and loses the pension; at 75 both.
    p.rates.pensionRate = 18.3;
    p.age.pension = false;
    EXPECT_EQ(calculateSyoyo(b, p).statement.health, 11'592);
    EXPECT_EQ(calculateSyoyo(b, p).statement.pension, 0);
    p.age.health = false;
    EXPECT_EQ(calculateSyoyo(b, p).statement.health, 0);
    EXPECT_EQ(calculateSyoyo(b, p).shienPart, 0);
}

// The payslip prints the levy's part under the health amount, and nothing where it is 0.
TEST(ShahoPayslip, LevyNoteUnderTheHealthAmount)
{
    for (int kind : {1, 2}) {
        PayslipData d;
        d.kind = kind;
        d.payMonth = QStringLiteral("202612");
        d.health = 15'120;
        reports::RecordingCanvas none;
        PayslipLayout::drawValues(none, d);
        EXPECT_FALSE(none.find(QStringLiteral("支援金 345円")));
        d.shien = 345;
        reports::RecordingCanvas canvas;
        PayslipLayout::drawValues(canvas, d);
        EXPECT_TRUE(canvas.find(QStringLiteral("うち子ども・子育て")));
        EXPECT_TRUE(canvas.find(QStringLiteral("支援金 345円")));
    }
}
