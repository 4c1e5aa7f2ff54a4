// The year-end screen driven through its named controls, with figures worked out by hand.
#include "nentyofixture.h"

#include "app/valuehelpers.h"
#include "nentyo/mynumber.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QFile>
#include <functional>

using namespace minasel;
using Answer = Messages::Answer;

namespace {

using InpNentyoTest = test::NentyoScreenTest;

// The year's pay (fixture): P 6,300,000, T 168,000, premiums 923,300; after the
// salary-income deduction P × 80 % − 440,000 = 4,600,000 in every one of the years.
TEST_F(InpNentyoTest, OneWorkedCasePerYear)
{
    for (int y : {2024, 2025, 2026})
        payYear(y);
    open();   // (on a 1024×768 screen: test_allscreens)
    struct Case {
        int year;
        std::function<void()> declare;
        // KOJYOGO is 4,600,000 each time.
        long long seme, songa, haigu, hfks, kojyoKei, sasiMoney, yearTax, kakute, sasihiki, kiso, tokutei;
        const char* calYearTax;
        const char* rules;
    };
    const Case cases[] = {
        // Elderly spouse 480,000; 特定扶養 380,000 + 250,000; old life 60,000 → 40,000 and old
        // pension 30,000 → 27,500; old long-term 15,000 → 12,500 + earthquake 10,000; the
        // relative's income is no deduction before 2025. (4,600,000 − 2,727,300) → 1,872,000,
        // × 5 % = 93,600, − 20,000 credit, × 1.021 = 75,145.6 → 75,100.
        {2024, [&] {
             click("optHaiguAri");
             click("chkOLDHAIGU");
             const std::pair<const char*, int> typed[] = {
                 {"FAMINUM1", 1},         {"SEMEHOKEN", 60'000}, {"NENKINHOKEN", 30'000}, {"SONGAIHOKEN", 15'000},
                 {"SONGAIHOKEN1", 10'000}, {"HOKEN2", 100'000},  {"KAKEKIN", 24'000},    {"TOKUKOJYO", 20'000}};
             for (auto [c, v] : typed)
                 amount(QLatin1String(c), v);
             setCell("flxTokutei", 0, 3, QStringLiteral("700000"));
         },
         67'500, 22'500, 480'000, 1'590'000, 2'727'300, 1'872'000, 93'600, 75'100, 92'900, 480'000, 0, "75145.6", "2024年分（R2）"},
        // Basic 680,000 (total income up to 4,890,000); a relative with 600,000 → 630,000;
        // new life 50,000 → 12,500 + 20,000 (the higher scale only from 2026).
        // (4,600,000 − 2,265,800) → 2,334,000, × 10 % − 97,500 = 135,900, × 1.021 → 138,700.
        {2025, [&] {
             click("chkUNDER23");
             amount(QStringLiteral("SEMEHOKEN_NEW"), 50'000);
             setCell("flxTokutei", 0, 0, QStringLiteral("見那瀬 次郎"));
             setCell("flxTokutei", 0, 2, QStringLiteral("123456789018"));
             setCell("flxTokutei", 0, 3, QStringLiteral("600000"));
         },
         32'500, 0, 0, 1'310'000, 2'265'800, 2'334'000, 135'900, 138'700, 29'300, 680'000, 630'000, "138753.9", "2025年分（R7）"},
        // Spouse with 600,000 (limit 620,000) 380,000; one dependant 380,000; a relative with
        // 700,000 → 630,000; with a dependant under 23 new life 50,000 → 25,000 + 15,000.
        // Basic 1,040,000 gives a balance of 108,000; the employee's estimate of 5,000,000
        // makes it 670,000: (4,600,000 − 3,053,300) → 1,546,000, × 5 % = 77,300 → 78,900.
        {2026, [&] {
             click("optHaiguAri");
             amount(QStringLiteral("HAIGUMONEY"), 600'000);
             amount(QStringLiteral("FAMINUM"), 1);
             amount(QStringLiteral("SEMEHOKEN_NEW"), 50'000);
             EXPECT_EQ(value(QStringLiteral("SEMEKOJYO")), 32'500);
             click("chkUNDER23");
             amount(QStringLiteral("SONGAIHOKEN1"), 30'000);
             setCell("flxTokutei", 0, 3, QStringLiteral("700000"));
             EXPECT_EQ(value(QStringLiteral("SASIHIKI")), 108'000);
             click("chkKIHONSW");
             amount(QStringLiteral("KIHONSYOTOKU"), 5'000'000);
         },
         40'000, 30'000, 380'000, 2'060'000, 3'053'300, 1'546'000, 77'300, 78'900, 89'100, 670'000, 630'000, "78923.3", "2026年分（R8）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        type(QStringLiteral("txtYear"), QString::number(c.year));
        EXPECT_EQ(cellText("flxKyuyo", 3, 0), QStringLiteral("6,300,000"));
        EXPECT_EQ(cellText("flxKyuyo", 3, 1), QStringLiteral("168,000"));
        EXPECT_EQ(value(QStringLiteral("MAEHOKEN")), 923'300);
        c.declare();
        const std::pair<const char*, long long> boxes[] = {
            {"KOJYOGO", 4'600'000}, {"SEMEKOJYO", c.seme}, {"SONGAKOJYO", c.songa}, {"HAIGUKOJYO", c.haigu},
            {"HFKSKOJYO", c.hfks}, {"KOJYOKEI", c.kojyoKei}, {"SASIMONEY", c.sasiMoney}, {"YEARTAX", c.yearTax},
            {"KAKUTETAX", c.kakute}, {"SASIHIKI", c.sasihiki}};
        for (const auto& [column, expected] : boxes)
            EXPECT_EQ(value(QLatin1String(column)), expected) << column;
        EXPECT_EQ(label("lblKisoKojyo"), formatNumber(double(c.kiso), QStringLiteral("#,##0")));
        EXPECT_EQ(label("lblTokuteiKojyo"), formatNumber(double(c.tokutei), QStringLiteral("#,##0")));
        EXPECT_EQ(label("lblRules"), QString::fromUtf8(c.rules));
        EXPECT_EQ(label("lblNotice"), QString());

        // Registered: the row, its declarations and the December balance.
        const nentyo::NentyoRecord shown = m_screen->recordOnScreen();
        click("cmdWrite");
        EXPECT_TRUE(td.messages().empty()) << td.messages().lastText().toStdString();
        EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("SASIHIKI"), c.year).toLongLong(), c.sasihiki);
        EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("CALYEARTAX"), c.year).toString(),
                  QLatin1String(c.calYearTax));
        EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("HOKEN1"), c.year).toInt(), 0);
        EXPECT_EQ(december(c.year).toLongLong(), c.sasihiki);
        // Read back as it was typed, declarations included.
        m_screen.reset();
        open();
        type(QStringLiteral("txtYear"), QString::number(c.year));
        EXPECT_EQ(m_screen->recordOnScreen().nentyoRow(), shown.nentyoRow());
        EXPECT_EQ(m_screen->recordOnScreen().sinkokuRow(), shown.sinkokuRow());
    }
    EXPECT_EQ(stored(QStringLiteral("NENTYOSINKOKU"), QStringLiteral("TOKUMYNUM1"), 2025).toString(),
              QStringLiteral("123456789018"));
    EXPECT_EQ(stored(QStringLiteral("NENTYOSINKOKU"), QStringLiteral("KIHONSYOTOKU")).toLongLong(), 5'000'000);
}

TEST_F(InpNentyoTest, TakeOverRegisterAndDelete)
{
    payYear(2025);
    payYear(2026);
    open();
    type(QStringLiteral("txtYear"), QStringLiteral("2025"));
    click("cmdZennendo");   // nothing stored for 2024: nothing changes
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("前年度（2024年）の年末調整データはありません。"));
    EXPECT_FALSE(m_screen->isChanged());
    type(QStringLiteral("txtTEKIYO1"), QStringLiteral("memo"));
    amount(QStringLiteral("FAMINUM4"), 2);
    amount(QStringLiteral("SEMEHOKEN_NEW"), 40'000);
    type(QStringLiteral("txtRESTARTDATEY"), QStringLiteral("2019"));
    type(QStringLiteral("txtRESTARTDATEM"), QStringLiteral("2"));
    type(QStringLiteral("txtRESTARTDATED"), QStringLiteral("30"));
    EXPECT_EQ(field<QLineEdit>(QStringLiteral("txtRESTARTDATED"))->text(), QStringLiteral("28"));
    setCell("flxFamily", 1, 0, QStringLiteral("見那瀬 三郎"));
    setCell("flxTokutei", 0, 2, QStringLiteral("111111111118"));
    setCell("flxTokutei", 0, 3, QStringLiteral("800000"));
    click("chkUNDER23");
    click("cmdWrite");
    EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("RESTARTDATE"), 2025).toString(),
              QStringLiteral("20190228"));

    type(QStringLiteral("txtYear"), QStringLiteral("2026"));
    click("cmdZennendo");
    const nentyo::NentyoRecord r = m_screen->recordOnScreen();
    // Family, names, numbers and dates come over; premiums and incomes do not.
    EXPECT_EQ(r.text(QStringLiteral("TEKIYO1")), QStringLiteral("memo"));
    EXPECT_EQ(r.amount(QStringLiteral("FAMINUM4")), 2);
    EXPECT_EQ(r.text(QStringLiteral("FAMINAME2")), QStringLiteral("見那瀬 三郎"));
    EXPECT_EQ(r.text(QStringLiteral("TOKUMYNUM1")), QStringLiteral("111111111118"));
    EXPECT_EQ(r.text(QStringLiteral("RESTARTDATE")), QStringLiteral("20190228"));
    EXPECT_TRUE(r.flag(QStringLiteral("UNDER23")));
    EXPECT_EQ(r.amount(QStringLiteral("TOKUSYOTOKU1")), 0);
    EXPECT_EQ(r.amount(QStringLiteral("SEMEHOKEN_NEW")), 0);
    EXPECT_EQ(r.amount(QStringLiteral("kyuryo")), 5'400'000);
    EXPECT_TRUE(m_screen->isChanged());
    click("cmdWrite");
    const long long balance = december(2026).toLongLong();
    EXPECT_NE(balance, 0);

    // Delete asks, removes the row and its declarations, leaves the December balance,
    // and shows the year's pay again.
    td.messages().answerNext(Answer::No);
    click("cmdDelete");
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM NENTYO WHERE SIKYUYEAR = '2026'")), 1);
    td.messages().answerNext(Answer::Yes);
    click("cmdDelete");
    EXPECT_EQ(td.messages().last().title, QStringLiteral("確認"));
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM NENTYO WHERE SIKYUYEAR = '2026'")), 0);
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM NENTYOSINKOKU WHERE SIKYUYEAR = '2026'")), 0);
    EXPECT_EQ(december(2026).toLongLong(), balance);
    EXPECT_EQ(cellText("flxKyuyo", 0, 0), QStringLiteral("5,400,000"));
    EXPECT_EQ(m_screen->recordOnScreen().text(QStringLiteral("TEKIYO1")), QString());
}

TEST_F(InpNentyoTest, NotAdjustedGivesZeroAndNoDecemberRowChangesNoStatement)
{
    payYear(2026);
    payYear(2026, QStringLiteral("00003"), 11);   // left in November: no December statement
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET TAISYABI = '20261130' WHERE JGICODE = '00003'")));
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE MEISAI SET NENTYOMONEY = 999 WHERE SIKYUBI = '202612'")));
    open();
    auto* combo = field<QComboBox>(QStringLiteral("cmbJyugyoin"));
    ASSERT_EQ(combo->count(), 2);   // not 00001 and 00004 (no pay rows); 00003 although he left
    EXPECT_EQ(combo->itemText(1), QStringLiteral("00003 鈴木 一郎"));

    choose(QStringLiteral("00002"));
    amount(QStringLiteral("HOKEN2"), 5'000);
    click("optSinai");
    EXPECT_EQ(value(QStringLiteral("HOKEN2")), 0);
    EXPECT_TRUE(field(QStringLiteral("txtHOKEN2"))->isReadOnly());
    EXPECT_EQ(value(QStringLiteral("KAKUTETAX")), 0);
    EXPECT_EQ(value(QStringLiteral("SASIHIKI")), 0);
    EXPECT_EQ(cellText("flxKyuyo", 3, 1), QStringLiteral("168,000"));
    click("cmdWrite");
    EXPECT_EQ(december().toInt(), 0);
    EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("NETYOKBN")).toInt(), 0);
    click("optSuru");   // what was typed comes back
    EXPECT_EQ(value(QStringLiteral("HOKEN2")), 5'000);

    choose(QStringLiteral("00003"));
    const int changed = td.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI WHERE NENTYOMONEY <> 0"));
    click("cmdWrite");
    EXPECT_TRUE(td.messages().empty()) << td.messages().lastText().toStdString();
    EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("kyuryo"), 2026, QStringLiteral("00003")).toLongLong(),
              11 * 450'000);
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM MEISAI WHERE NENTYOMONEY <> 0")), changed);
}

TEST_F(InpNentyoTest, BadInputIsRefusedAndNothingStored)
{
    payYear(2026);
    open();
    // A year outside 1989-2099 keeps the year; letters never reach a number box.
    type(QStringLiteral("txtYear"), QStringLiteral("1988"));
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("支給年は1989年から2099年までの西暦で入力して下さい。"));
    EXPECT_EQ(m_screen->year(), QStringLiteral("2026"));
    type(QStringLiteral("txtHOKEN2"), QStringLiteral("12a3-"));
    EXPECT_EQ(value(QStringLiteral("HOKEN2")), 123);
    type(QStringLiteral("txtFAMINUM"), QStringLiteral("120"));
    EXPECT_EQ(value(QStringLiteral("FAMINUM")), 12);

    // A wrong individual number is named and refused; a right one is stored.
    click("optHaiguAri");
    setCell("flxHaigu", 0, 2, QStringLiteral("123456789012"));
    td.messages().clear();
    click("cmdWrite");
    EXPECT_TRUE(td.messages().lastText().startsWith(QStringLiteral("配偶者の個人番号「123456789012」が正しくありません。")));
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM NENTYO")), 0);
    setCell("flxHaigu", 0, 2, QStringLiteral("１２３４５６７８９０１８"));   // full width, as an input method gives it
    click("cmdWrite");
    EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("HAIGUSYAMYNUM")).toString(), QStringLiteral("123456789018"));
    setCell("flxTokutei", 0, 2, QStringLiteral("123456789012"));   // named on its own page
    click("cmdWrite");
    EXPECT_EQ(field<QTabWidget>(QStringLiteral("tabNentyo"))->currentIndex(), 4);
    setCell("flxTokutei", 0, 2, QString());

    // 無し empties and locks the spouse part.
    click("optHaiguNasi");
    EXPECT_FALSE(field<QWidget>(QStringLiteral("flxHaigu"))->isEnabled());
    EXPECT_FALSE(field<QCheckBox>(QStringLiteral("chkOLDHAIGU"))->isEnabled());
    EXPECT_EQ(cellText("flxHaigu", 0, 2), QString());

    // A year without statements: no employee, every button stops at the employee.
    type(QStringLiteral("txtYear"), QStringLiteral("2027"));
    EXPECT_EQ(field<QComboBox>(QStringLiteral("cmbJyugyoin"))->count(), 0);
    for (const char* b : {"cmdWrite", "cmdZennendo", "cmdDelete", "cmdPrint"}) {
        click(b);
        EXPECT_TRUE(td.messages().lastText().startsWith(QStringLiteral("従業員を決めた後、"))) << b;
    }
}

// Clearing the year and choosing another employee once showed a record without pay under
// the year typed back; F1 then stored its zeros over the registered adjustment.
TEST_F(InpNentyoTest, AYearClearedAndTypedAgainShowsAndKeepsItsRecord)
{
    payYear(2026);
    payYear(2026, QStringLiteral("00003"));
    open();
    choose(QStringLiteral("00003"));
    amount(QStringLiteral("SEMEHOKEN_NEW"), 40'000);
    click("cmdWrite");
    const QVariant balance = december(2026, QStringLiteral("00003"));

    choose(QStringLiteral("00002"));
    type(QStringLiteral("txtYear"), QString());
    choose(QStringLiteral("00003"));
    type(QStringLiteral("txtYear"), QStringLiteral("2026"));
    EXPECT_EQ(value(QStringLiteral("SEMEHOKEN_NEW")), 40'000);
    click("cmdWrite");
    EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("kyuryo"), 2026, QStringLiteral("00003")).toLongLong(),
              5'400'000);
    EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("SEMEHOKEN_NEW"), 2026, QStringLiteral("00003")).toLongLong(),
              40'000);
    EXPECT_EQ(december(2026, QStringLiteral("00003")), balance);

    // A specified dependant is under 23: 2026, pay 5,000,000, new life premium 100,000 gives
    // 100,000 / 4 + 30,000 = 55,000 without the box; taxable 3,560,000 − 1,040,000 − 630,000
    // − 55,000 = 1,835,000 → 91,750 × 102.1 % = 93,676 → 93,600.
    nentyo::NentyoRecord r(QStringLiteral("01"), QStringLiteral("2026"), QStringLiteral("00003"));
    r.setAmount(QStringLiteral("kyuryo"), 5'000'000);
    r.setAmount(QStringLiteral("FAMINUM1"), 1);
    r.setAmount(QStringLiteral("SEMEHOKEN_NEW"), 100'000);
    EXPECT_EQ(r.recompute().kakuteTax, 93'600);

    // Deleting what was never registered says so instead of reporting a deletion.
    choose(QStringLiteral("00002"));
    td.messages().clear();
    click("cmdDelete");
    EXPECT_TRUE(td.messages().lastText().endsWith(QStringLiteral("の年調データは登録されていません。")));
}

TEST(MyNumber, CheckDigit)
{
    const std::pair<const char*, bool> cases[] = {
        {"123456789018", true},  {"123456789012", false}, {"111111111118", true}, {"000000000400", true},
        {"000000000401", false}, {"12345678901", false},  {"12345678901a", false}, {"1234-5678-9018", true},
    };
    for (const auto& [n, valid] : cases)
        EXPECT_EQ(nentyo::isValidMyNumber(QString::fromLatin1(n)), valid) << n;
}

TEST_F(InpNentyoTest, FailedWriteChangesNothing)
{
    payYear(2026);
    open();
    setCell("flxTokutei", 0, 0, QStringLiteral("前の名前"));
    click("cmdWrite");
    const QVariant balance = december();
    const struct {
        const char* trigger;
        const char* procedure;
    } cases[] = {
        {"BEFORE UPDATE ON MEISAI", "InpNentyo.write_meisai_data"},
        {"BEFORE INSERT ON NENTYOSINKOKU", "Publish.WriteNentyoSinkokuTable"},
        {"BEFORE DELETE ON NENTYO", "InpNentyo.delete_data"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(td.exec(QStringLiteral("CREATE TRIGGER refuse %1 BEGIN SELECT RAISE(ABORT, 'disk says no'); END")
                                .arg(QLatin1String(c.trigger))));
        setCell("flxTokutei", 0, 0, QStringLiteral("新しい名前"));
        amount(QStringLiteral("HOKEN2"), 50'000);
        td.messages().clear();
        click("cmdWrite");
        EXPECT_EQ(td.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
        QFile log(td.path() + QStringLiteral("/kyuyo.log"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QLatin1String(c.procedure))) << c.procedure;
        EXPECT_EQ(stored(QStringLiteral("NENTYOSINKOKU"), QStringLiteral("TOKUNAME1")).toString(), QStringLiteral("前の名前"));
        EXPECT_EQ(stored(QStringLiteral("NENTYO"), QStringLiteral("HOKEN2")).toInt(), 0);
        EXPECT_EQ(december(), balance);
        ASSERT_TRUE(td.exec(QStringLiteral("DROP TRIGGER refuse")));
    }
    // Leaving with what was typed asks first.
    td.messages().answerNext(Answer::No);
    EXPECT_FALSE(m_screen->close());
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("データが変更されましたが、終了しても宜しいですか？"));
    click("cmdWrite");
    EXPECT_TRUE(m_screen->close());
    m_screen.release();   // deleted on close
}

TEST_F(InpNentyoTest, YearBeyondTheRecordedRulesSaysSo)
{
    payYear(2028);
    open();
    type(QStringLiteral("txtYear"), QStringLiteral("2028"));
    EXPECT_EQ(label("lblRules"), QStringLiteral("2027年分（R9）"));
    EXPECT_EQ(label("lblNotice"), QStringLiteral("2028年分の年末調整の計算規定は未収録のため、2027年分で計算しています。"));
}

} // namespace
