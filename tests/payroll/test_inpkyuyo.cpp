// The salary statement screen driven through its named controls.
#include "app/screenregistry.h"
#include "payroll/inpkyuyo.h"
#include "payslipfixture.h"
#include "samplestatement.h"
#include "statementscreenfixture.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace minasel;
using namespace minasel::payroll;
using test::sampleSalary00002;

using InpKyuyoTest = test::StatementScreenTest<InpKyuyo>;

TEST_F(InpKyuyoTest, FullStatementFromTheMasterIsShownComputedAndStored)
{
    open();
    EXPECT_EQ(field<QLineEdit>("txtYear")->text(), QStringLiteral("2026"));
    EXPECT_EQ(field<QLineEdit>("txtMonth")->text(), QStringLiteral("12"));
    choose(QStringLiteral("00002"));
    MeisaiRecord fromMaster = sampleSalary00002();
    fromMaster.employmentInsurance = 1512;   // 274,900 × 0.0055 = 1,511.95
    fromMaster.tax = 3410;
    EXPECT_EQ(m_screen->statementOnScreen(), fromMaster);
    EXPECT_EQ(field<QTableWidget>("flxTeate")->item(0, 1)->text(), QStringLiteral("3,000"));
    EXPECT_EQ(label("lblKojyo1"), QStringLiteral("財形貯蓄"));
    EXPECT_EQ(label("lblKojyo2"), QStringLiteral("その他控除２"));
    EXPECT_EQ(label("lblFactor1"), QStringLiteral("×1.25×時間数"));
    EXPECT_EQ(label("lblFactor6"), QStringLiteral("×1.75×時間数"));
    EXPECT_EQ(label("lblJiq3"), QStringLiteral("1,618"));
    EXPECT_EQ(value("txtQ"), 10000);
    EXPECT_EQ(value("txtY"), 5000);

    type("txtGTime", QStringLiteral("10.5"));
    type("txtHTime", QStringLiteral("2"));
    type("txtJTime", QStringLiteral("3.25"));
    type("txtSHTime", QStringLiteral("1"));
    type("txtGTime60", QStringLiteral("0.5"));
    type("txtSYTime60", QStringLiteral("0.25"));
    type("txtQjituDay", QStringLiteral("1"));
    type("txtYobidasiKai", QStringLiteral("2"));
    type("txtKTSTime", QStringLiteral("1.5"));
    type("txtKinmuDay", QStringLiteral("20"));
    type("txtYuQDay", QStringLiteral("1"));
    type("txtFusyunum", QStringLiteral("0.5"));
    type("txtFusyutime", QStringLiteral("4"));
    auto* grid = field<QTableWidget>("flxTeate");
    grid->item(1, 0)->setText(QStringLiteral("営業手当"));
    grid->item(1, 1)->setText(QStringLiteral("2,500"));

    MeisaiRecord e = sampleSalary00002();
    e.overtimeHours = {10.5, 2, 3.25, 1, 0.5, 0.25};
    // 10.5 h × 1,618 × 1.25 = 21,236.25; 2 × 1.35 → 4,368.6; 3.25 × 1.5 → 7,887.75;
    // 1 × 1.6 → 2,588.8; 0.5 × 1.5 → 1,213.5; 0.25 × 1.75 → 707.875: 50 sen and more up.
    e.overtimePay = {21236, 4369, 7888, 2589, 1214, 708};
    e.holidayDays = 1;
    e.holidayPay = 10000;
    e.callOuts = 2;
    e.callOutPay = 10000;
    e.absenceHours = 1.5;
    e.absenceDeduction = 2427;
    e.allowanceNames[1] = QStringLiteral("営業手当");
    e.allowances[1] = 2500;
    e.workDays = 20;
    e.paidLeaveDays = 1;
    e.absenceDays = 0.5;
    e.absenceDayHours = 4;
    // Total 333,077 (commuting 12,000 of it untaxed); premium 333,077 × 0.0055 = 1,831.9;
    // after social insurance 333,077 − 12,000 − 44,150 = 276,927; tax R8, one dependant.
    e.employmentInsurance = 1832;
    e.tax = 5470;
    EXPECT_EQ(m_screen->statementOnScreen(), e);
    EXPECT_EQ(value("txtQyoSogaku"), 333077);
    EXPECT_EQ(value("txtHikazeigaku"), 12000);
    EXPECT_EQ(value("txtKazeiQyo"), 321077);
    EXPECT_EQ(value("txtSyakaiKei"), 44150);
    EXPECT_EQ(value("txtSasiQyoKojo"), 276927);
    EXPECT_EQ(value("txtKojoKei"), 5470 + 12500 + 10000);
    EXPECT_EQ(value("txtSasiSiq"), 276927 - 27970 + 12000);
    EXPECT_EQ(label("lblTaxNotice"), QString());

    // F1 in a field registers; the stored row is the statement on screen.
    QTest::keyClick(field<QLineEdit>("txtKinmuDay"), Qt::Key_F1);
    EXPECT_TRUE(td.messages().empty()) << td.messages().lastText().toStdString();
    EXPECT_EQ(stored(QStringLiteral("202612"), QStringLiteral("00002"), QStringLiteral("1")), e);
}

TEST_F(InpKyuyoTest, StoredStatementIsShownInsteadOfTheMaster)
{
    MeisaiRecord s = sampleSalary00002();
    s.kihonkyu = 999000;
    s.overtimeHours[0] = 3;
    s.allowanceNames[0] = QStringLiteral("前月の手当");
    s.allowances[0] = 1111;
    s.deductionNames[2] = QStringLiteral("貸付返済");
    s.deductions[2] = 30000;
    s.yearEndAdjustment = 15000;
    s.workDays = 18;
    // Stored as last computed; showing it recomputes with the same company values.
    s = calculateKyuyo(s, {{1.25, 1.35, 1.5, 1.6, 1.5, 1.75}, 10000, 5000, 0.0055, 9.91, 11.5, 18.3}, {true, true})
            .statement;
    ASSERT_TRUE(save(s));
    open();
    choose(QStringLiteral("00002"));
    EXPECT_EQ(m_screen->statementOnScreen(), s);
    EXPECT_EQ(label("lblKojyo3"), QStringLiteral("貸付返済"));
    EXPECT_EQ(value("txtKihonQ"), 999000);
    EXPECT_EQ(value("txtNentyo"), 15000);
    EXPECT_EQ(value("txtSasiSiq"), m_screen->lastResult().netPay);

    // Another month of the same employee comes from the master again.
    type("txtMonth", QStringLiteral("11"));
    MeisaiRecord november = sampleSalary00002();
    november.payMonth = QStringLiteral("202611");
    november.employmentInsurance = m_screen->statementOnScreen().employmentInsurance;
    november.tax = m_screen->statementOnScreen().tax;
    EXPECT_EQ(m_screen->statementOnScreen(), november);
}

TEST_F(InpKyuyoTest, SwitchedOffTaxAndPremiumKeepWhatIsTyped)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET CALCUTAX = '0', KOYOKBN = '2' WHERE JGICODE = '00003'")));
    open();
    choose(QStringLiteral("00003"));
    EXPECT_EQ(label("lblSyotoku"), QStringLiteral("所得税（修正可）"));
    EXPECT_EQ(label("lblKoyoHoken"), QStringLiteral("雇用保険料（修正可）"));
    EXPECT_FALSE(field("txtSyotoku")->isReadOnly());
    type("txtSyotoku", QStringLiteral("1234"));
    type("txtKoyoHoken", QStringLiteral("567"));
    type("txtGTime", QStringLiteral("12"));
    type("txtKihonQ", QStringLiteral("260000"));
    EXPECT_EQ(value("txtSyotoku"), 1234);
    EXPECT_EQ(value("txtKoyoHoken"), 567);
    EXPECT_EQ(value("txtSyakaiKei"), 11892 + 21960 + 567);
    m_screen->findChild<QPushButton*>(QStringLiteral("cmdWrite"))->click();
    const auto row = stored(QStringLiteral("202612"), QStringLiteral("00003"), QStringLiteral("1"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->tax, 1234);
    EXPECT_EQ(row->employmentInsurance, 567);

    // With the switches on, the same fields are computed and locked.
    choose(QStringLiteral("00002"));
    EXPECT_EQ(label("lblSyotoku"), QStringLiteral("所得税"));
    EXPECT_EQ(label("lblKoyoHoken"), QStringLiteral("雇用保険料"));
    EXPECT_TRUE(field("txtSyotoku")->isReadOnly());
    EXPECT_TRUE(field("txtKoyoHoken")->isReadOnly());
}

TEST_F(InpKyuyoTest, YearAndMonthAreNormalised)
{
    open();
    const struct {
        const char* field;
        const char* typed;
        const char* shown;
    } cases[] = {{"txtMonth", "0", "01"}, {"txtMonth", "13", "12"}, {"txtMonth", "7", "07"},
                 {"txtYear", "25", "0025"}, {"txtYear", "2027", "2027"}};
    for (const auto& c : cases) {
        type(c.field, QLatin1String(c.typed));
        EXPECT_EQ(field<QLineEdit>(c.field)->text(), QLatin1String(c.shown)) << c.typed;
    }
    // Letters never reach the year.
    type("txtYear", QStringLiteral("20x6"));
    EXPECT_EQ(field<QLineEdit>("txtYear")->text(), QStringLiteral("0206"));
}

TEST_F(InpKyuyoTest, OnlyEmployeesStillEmployedAreListed)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET TAISYABI = '20261031' WHERE JGICODE = '00003'")));
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET TAISYABI = NULL WHERE JGICODE = '00004'")));
    open();
    auto* combo = field<QComboBox>("cmbJyugyoin");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("00001 見那瀬 太郎"), QStringLiteral("00002 佐藤 花子"),
                                  QStringLiteral("00004 高橋 美咲")}));
    EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(InpKyuyoTest, AnEmptiedFieldCountsAsZero)
{
    open();
    choose(QStringLiteral("00003"));
    type("txtKihonQ", QString());
    EXPECT_EQ(value("txtKihonQ"), 0);
    EXPECT_EQ(value("txtQyoSogaku"), 9800);   // only the commuting allowance is left
}

TEST_F(InpKyuyoTest, InputModeByEmployeeKind)
{
    open();
    auto shown = [&](const char* name) { return field<QWidget>(name)->isVisibleTo(m_screen.get()); };
    // The officer's pay for the officer; hours and hourly rate for the part-timer, whose basic pay they give.
    const struct {
        const char* code;
        bool yhosyu, hours;
        const char* caption;
    } kinds[] = {{"00001", true, false, "基本給"}, {"00002", false, false, "基本給"}, {"00004", false, true, "= 基本給"}};
    for (const auto& k : kinds) {
        choose(QLatin1String(k.code));
        EXPECT_EQ(shown("txtYHosyu"), k.yhosyu) << k.code;
        EXPECT_EQ(shown("txtJiq"), k.hours) << k.code;
        EXPECT_EQ(shown("txtBTime"), k.hours) << k.code;
        EXPECT_EQ(label("lblKihonQ"), QString::fromUtf8(k.caption)) << k.code;
    }
    type("txtBTime", QStringLiteral("80.5"));
    EXPECT_EQ(value("txtKihonQ"), 96600);
    type("txtJiq", QStringLiteral("1250"));
    EXPECT_EQ(value("txtKihonQ"), 100625);
    EXPECT_EQ(value("txtQyoSogaku"), 100625 + 5000);
}

TEST_F(InpKyuyoTest, DirectorsRemunerationIsNotInsuredAndYearEndAdjustmentReachesNetPay)
{
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE JYUGYOIN SET KOYOKBN = '1', KIHONKYU = 100000 WHERE JGICODE = '00001'")));
    open();
    choose(QStringLiteral("00001"));
    EXPECT_EQ(value("txtQyoSogaku"), 615000);
    EXPECT_EQ(value("txtKoyoHoken"), 632);   // 115,000 × 0.0055 = 632.5: 50 sen drops
    const double net = value("txtSasiSiq");
    type("txtNentyo", QStringLiteral("-3000"));
    EXPECT_EQ(value("txtSasiSiq"), net - 3000);
    type("txtNentyo", QStringLiteral("12000"));
    EXPECT_EQ(value("txtSasiSiq"), net + 12000);
}

TEST_F(InpKyuyoTest, MonthBeyondTheRecordedRulesSaysSo)
{
    open();
    type("txtYear", QStringLiteral("2028"));
    choose(QStringLiteral("00002"));
    EXPECT_EQ(label("lblTaxNotice"), QStringLiteral("2028年分の税額表は未収録のため、2027年分で計算しています。"));
    type("txtYear", QStringLiteral("2026"));
    EXPECT_EQ(label("lblTaxNotice"), QString());
}

TEST_F(InpKyuyoTest, RegisterTwiceThenDelete)
{
    open();
    choose(QStringLiteral("00002"));
    auto* write = field<QPushButton>("cmdWrite");
    write->click();
    type("txtGTime", QStringLiteral("4"));
    write->click();
    EXPECT_EQ(meisaiRows(), 1);
    EXPECT_EQ(stored(QStringLiteral("202612"), QStringLiteral("00002"), QStringLiteral("1"))->overtimeHours[0], 4);
    EXPECT_EQ(field<QComboBox>("cmbJyugyoin")->currentText().left(5), QStringLiteral("00002"));
    EXPECT_FALSE(label("lblStatus").isEmpty());

    auto* del = field<QPushButton>("cmdDelete");
    td.messages().answerNext(Messages::Answer::No);
    del->click();
    ASSERT_FALSE(td.messages().empty());
    EXPECT_EQ(td.messages().last().text, QStringLiteral("選択されたデータを削除してもよろしいですか？"));
    EXPECT_EQ(td.messages().last().title, QStringLiteral("確認"));
    EXPECT_EQ(td.messages().last().icon, Messages::Icon::Question);
    EXPECT_EQ(meisaiRows(), 1);

    td.messages().answerNext(Messages::Answer::Yes);
    QTest::keyClick(field<QLineEdit>("txtGTime"), Qt::Key_F3);
    EXPECT_EQ(meisaiRows(), 0);
    // The first employee is chosen and shown from the master.
    EXPECT_EQ(m_screen->employeeCode(), QStringLiteral("00001"));
    EXPECT_EQ(value("txtYHosyu"), 500000);
}

TEST_F(InpKyuyoTest, ButtonsAskForYearMonthAndEmployeeFirst)
{
    open();
    const struct {
        const char* year;
        const char* month;
        bool employee;
        const char* button;
        const char* message;
        const char* focus;
    } cases[] = {
        {"", "12", true, "cmdWrite", "支給年を入力した後、「登録」ボタンを押して下さい。", "txtYear"},
        {"2026", "", true, "cmdDelete", "支給月を入力した後、「削除」ボタンを押して下さい。", "txtMonth"},
        {"2026", "12", false, "cmdPrint", "従業員を決めた後、「印刷」ボタンを押して下さい。", "cmbJyugyoin"},
    };
    QApplication::setActiveWindow(m_screen.get());
    for (const auto& c : cases) {
        td.messages().clear();
        field<QLineEdit>("txtYear")->setText(QLatin1String(c.year));
        field<QLineEdit>("txtMonth")->setText(QLatin1String(c.month));
        field<QComboBox>("cmbJyugyoin")->setCurrentIndex(c.employee ? 1 : -1);
        field<QPushButton>(c.button)->click();
        ASSERT_EQ(td.messages().entries().size(), 1) << c.button;
        EXPECT_EQ(td.messages().last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(td.messages().last().icon, Messages::Icon::Exclamation);
        EXPECT_EQ(td.messages().last().title, QStringLiteral("ミナセル"));
        EXPECT_EQ(QApplication::focusWidget(), field<QWidget>(c.focus)) << c.button;
    }
    EXPECT_EQ(meisaiRows(), 0);
}

// What is typed is printed as it stands, registered or not, and not lost on F6 unasked.
TEST_F(InpKyuyoTest, PrintShowsTheScreenAndLeavingAsksForUnregisteredEntries)
{
    QTemporaryDir out;
    open();
    choose(QStringLiteral("00002"));
    type("txtYobidasiKai", QStringLiteral("3"));   // 3 × 5,000 yen, on the screen only
    int previews = 0;
    m_screen->printHooks() = test::pdfHooks(out.filePath(QStringLiteral("slip.pdf")), &previews);
    td.messages().answerNext(Messages::Answer::No);   // not registered first, nor opened afterwards
    td.messages().answerNext(Messages::Answer::No);
    QTest::keyClick(field<QLineEdit>("txtYobidasiKai"), Qt::Key_F5);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(meisaiRows(), 0);
    const QString text = test::runTool(QStringLiteral("pdftotext"), {out.filePath(QStringLiteral("slip.pdf")), "-"});
    EXPECT_TRUE(text.isNull() || text.contains(QStringLiteral("15,000"))) << text.toStdString();

    td.messages().answerNext(Messages::Answer::Cancel);
    QTest::keyClick(field<QLineEdit>("txtYobidasiKai"), Qt::Key_F6);
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("データが変更されましたが、終了しても宜しいですか？"));
    EXPECT_TRUE(m_screen->isVisible());
    QTest::keyClick(field<QLineEdit>("txtYobidasiKai"), Qt::Key_F1);   // registered: nothing to lose
    const int asked = int(td.messages().entries().size());
    QTest::keyClick(field<QLineEdit>("txtYobidasiKai"), Qt::Key_F6);
    EXPECT_EQ(td.messages().entries().size(), asked);
    EXPECT_FALSE(m_screen->isVisible());
    m_screen.release();   // gone with the close
}

TEST(StatementScreens, RegisteredByName)
{
    test::TestDataDir td;
    ScreenRegistry registry;
    registerPayrollScreens(registry);
    ASSERT_TRUE(registry.has(QStringLiteral("InpKyuyo")));
    ASSERT_TRUE(registry.has(QStringLiteral("InpSyoyo")));
    std::unique_ptr<QWidget> w(registry.create(QStringLiteral("InpKyuyo"), td.ctx()));
    EXPECT_NE(qobject_cast<InpKyuyo*>(w.get()), nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("給与明細登録 - ミナセル商事株式会社（サンプル）"));
}
