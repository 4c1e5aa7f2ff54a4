// Resident tax by the municipal notice: split, month mapping, change notices, the
// leaving rules and the CSV refusals, against figures worked out by hand.
#include "payroll/juminzeiimport.h"
#include "payroll/juminzeischedule.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace minasel::payroll;

namespace {

JuminzeiSchedule notice(long long yearly, int year = 2026)
{
    JuminzeiSchedule s;
    s.code = QStringLiteral("00002");
    s.year = year;
    s.yearly = yearly;
    s.amounts = standardSplit(yearly);
    return s;
}

} // namespace

TEST(Juminzei, StandardSplitCutsToHundredsAndGivesTheRestToJune)
{
    const struct {
        long long yearly, june, others;
    } cases[] = {
        {100000, 8700, 8300},   // 8,333 cut to 8,300; 100,000 - 11 × 8,300
        {12345, 1345, 1000},    // the reference's own second example
        {1199, 1199, 0},        // a twelfth below 100 yen: all in June
        {1000, 1000, 0},
        {1200, 100, 100},       // a multiple of 1,200 splits evenly
        {120000, 10000, 10000},
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto a = standardSplit(c.yearly);
        EXPECT_EQ(a[0], c.june) << c.yearly;
        for (int i = 1; i < 12; ++i)
            EXPECT_EQ(a[size_t(i)], c.others) << c.yearly << " month " << i;
    }
}

TEST(Juminzei, PayMonthTakesTheInstalmentOfItsTaxYear)
{
    const std::optional<JuminzeiSchedule> s2026 = notice(100000);
    const struct {
        const char* payMonth;
        int taxYear;
        long long amount;
        bool fromNotice;
    } cases[] = {
        {"202605", 2025, 12500, false},   // May belongs to the year before: no notice for it
        {"202606", 2026, 8700, true},     // June takes the remainder
        {"202607", 2026, 8300, true},
        {"202612", 2026, 8300, true},
        {"202701", 2026, 8300, true},     // across the change of calendar year
        {"202705", 2026, 8300, true},
        {"202706", 2027, 12500, false},   // the next tax year: master until its notice is typed
    };
    for (const auto& c : cases) {
        const JuminzeiPlan p = JuminzeiPlan::make(s2026, 12500, QLatin1String(c.payMonth), QString());
        EXPECT_EQ(p.taxYear(), c.taxYear) << c.payMonth;
        EXPECT_EQ(p.amount(true, 1000000), c.amount) << c.payMonth;
        EXPECT_EQ(p.fromSchedule(), c.fromNotice) << c.payMonth;
    }
    EXPECT_EQ(JuminzeiPlan::make(s2026, 0, QStringLiteral("202606"), QString()).label(false, 0),
              QStringLiteral("住民税: 令和8年度 特別徴収（6月分）"));
    EXPECT_EQ(taxYearName(2019), QStringLiteral("令和元年度"));
    EXPECT_EQ(taxYearName(2018), QStringLiteral("平成30年度"));
}

TEST(Juminzei, ChangeNoticeReplacesTheAmountsFromItsMonth)
{
    // Paid June to September: 8,700 + 3 × 8,300 = 33,600. New yearly 76,400 leaves
    // 42,800 for October to May: 8 months of 5,300 (5,350 cut) and October 5,700.
    const std::optional<JuminzeiSchedule> c = applyChangeNotice(notice(100000), instalmentIndex(10), 76400);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->yearly, 76400);
    EXPECT_EQ(c->changedFrom, 10);
    EXPECT_TRUE(c->addsUp());
    const std::array<long long, 12> expected{8700, 8300, 8300, 8300, 5700, 5300, 5300, 5300, 5300, 5300, 5300, 5300};
    EXPECT_EQ(c->amounts, expected);
    EXPECT_EQ(JuminzeiPlan::make(c, 0, QStringLiteral("202610"), QString()).label(false, 0),
              QStringLiteral("住民税: 令和8年度 特別徴収（10月分・変更通知後）"));
    EXPECT_EQ(JuminzeiPlan::make(c, 0, QStringLiteral("202609"), QString()).amount(false, 0), 8300);
    // Below what June to September already took: refused.
    EXPECT_FALSE(applyChangeNotice(notice(100000), instalmentIndex(10), 33599));
    EXPECT_TRUE(applyChangeNotice(notice(100000), instalmentIndex(10), 33600));
}

TEST(Juminzei, LeavingWindowsAndTheRestTakenFromTheLastPay)
{
    const struct {
        QDate day;
        LeavingRule rule;
    } windows[] = {
        {QDate(2026, 12, 31), LeavingRule::OnRequest}, {QDate(2027, 1, 1), LeavingRule::Required},
        {QDate(2027, 4, 30), LeavingRule::Required},   {QDate(2027, 5, 1), LeavingRule::None},
        {QDate(2027, 5, 31), LeavingRule::None},       {QDate(2026, 6, 1), LeavingRule::OnRequest},
    };
    for (const auto& w : windows)
        EXPECT_EQ(leavingRuleFor(w.day), w.rule) << w.day.toString().toStdString();

    const std::optional<JuminzeiSchedule> s = notice(100000);
    const struct {
        const char* payMonth;
        const char* leaving;
        QList<EarlierDeduction> earlier;
        long long available;
        long long lump, own;   // taken with and without the rest in one sum
        bool byDefault;
    } cases[] = {
        // February: its own 8,300 and March to May 24,900.
        {"202702", "20270220", {}, 500000, 33200, 8300, true},
        {"202702", "20270220", {}, 20000, 20000, 8300, true},   // as far as the pay covers it
        {"202702", "20270220", {}, 5000, 8300, 8300, true},     // the month's own is taken still
        {"202703", "20270220", {{"202702", 33200}}, 500000, 0, 0, true},   // February took it all
        {"202701", "20270220", {}, 500000, 8300, 8300, true},   // not yet the last pay
        {"202609", "20260930", {}, 500000, 74700, 8300, false}, // October to May only on request
        {"202705", "20270531", {}, 500000, 8300, 8300, false},  // nothing after May
    };
    for (const auto& c : cases) {
        const JuminzeiPlan p = JuminzeiPlan::make(s, 0, QLatin1String(c.payMonth), QLatin1String(c.leaving), c.earlier);
        EXPECT_EQ(p.amount(true, c.available), c.lump) << c.payMonth << " " << c.available;
        EXPECT_EQ(p.amount(false, c.available), c.own) << c.payMonth;
        if (p.offersLump())
            EXPECT_EQ(p.lumpByDefault(), c.byDefault) << c.payMonth;
    }
    const JuminzeiPlan feb = JuminzeiPlan::make(s, 0, QStringLiteral("202702"), QStringLiteral("20270220"));
    EXPECT_EQ(feb.label(true, 500000), QStringLiteral("住民税: 令和8年度 2月分〜5月分を一括徴収\n"
                                                      "退社日 2027/02/20：1月1日〜4月30日の退職のため残りを最後の給与から徴収"));
    EXPECT_EQ(feb.label(true, 20000), QStringLiteral("住民税: 令和8年度 2月分〜5月分のうち 20,000円を一括徴収\n"
                                                     "退社日 2027/02/20：支給額の範囲まで。残り 13,200円は本人が納付"));
}

TEST(Juminzei, CsvWithAnyFaultyLineIsRefusedWithTheLineNamed)
{
    const QMap<QString, QString> employees{{"00001", "見那瀬 太郎"}, {"00002", "佐藤 花子"}, {"00003", "鈴木 一郎"}};
    const QByteArray head = "従業員番号,年税額,6月,7月,8月,9月,10月,11月,12月,1月,2月,3月,4月,5月\r\n";
    const QByteArray good1 = "1,100000,8700,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300\r\n";
    const QByteArray good2 = "00002,12345,1345,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000\r\n";
    const struct {
        QByteArray csv;
        const char* error;
    } refusals[] = {
        {head + good1 + "00002,100000,8800,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300,8300\r\n",
         "3 行目: 6月〜5月の合計 100,100 円が年税額 100,000 円と一致しません。"},
        {good1 + "00002,-100,-100,0,0,0,0,0,0,0,0,0,0,0\r\n", "2 行目: 年税額がマイナスです。"},
        {good1 + "00099,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n", "2 行目: 従業員番号 00099 の従業員は登録されていません。"},
        {good1 + good1, "2 行目: 従業員番号 00001 が重複しています。"},
        {good1 + "00002,12345,1345,1000,1000,1000,1000,1000,1000,1000,1000,1000,1000,1 000x\r\n",
         "2 行目: 5月分「1 000x」は金額として読めません。"},
        {QByteArray(head).replace("5月\r\n", "13月\r\n") + good1, "1 行目: 14 列目の見出し「13月」は 6月〜5月 のどの月でもありません。"},
        {"code,yearly,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月\r\n" + good1,
         "1 行目: 3 列目は 6月 のはずが「1月」です。"},
        {good1 + "00002,12345,1345\r\n", "2 行目: 値の数が足りません（14 個のうち 3 個）"},
        {head, "取り込む行がありません。"},
    };
    for (const auto& r : refusals) {
        const JuminzeiImport i = JuminzeiImport::parse(r.csv, 2026, employees, {});
        EXPECT_FALSE(i.ok()) << r.error;
        EXPECT_TRUE(i.errors().join(QLatin1Char('|')).contains(QString::fromUtf8(r.error)))
            << i.errors().join(QLatin1Char('|')).toStdString();
    }

    // A sound file, saved by a spreadsheet in Shift_JIS: new, changed and unchanged lines.
    QMap<QString, JuminzeiSchedule> existing{{"00002", notice(12345)}, {"00003", notice(99600)}};
    existing["00003"].code = QStringLiteral("00003");
    QStringEncoder sjis("Shift_JIS");
    const QByteArray file = sjis(QString::fromUtf8(head + good1 + good2)
                                 + QStringLiteral("3,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"));
    const JuminzeiImport i = JuminzeiImport::parse(file, 2026, employees, existing);
    ASSERT_TRUE(i.ok()) << i.errors().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(i.count(JuminzeiImport::Change::New), 1);
    EXPECT_EQ(i.count(JuminzeiImport::Change::Same), 1);
    EXPECT_EQ(i.count(JuminzeiImport::Change::Changed), 1);
    ASSERT_EQ(i.schedules().size(), 2);   // the unchanged line is not written again
    JuminzeiSchedule first = notice(100000);
    first.code = QStringLiteral("00001");
    EXPECT_EQ(i.schedules()[0], first);
    EXPECT_EQ(i.previewRows()[0].mid(1, 3), (QStringList{"新規", "00001", "見那瀬 太郎"}));
}
