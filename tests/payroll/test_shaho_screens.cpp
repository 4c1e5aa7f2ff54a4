// A new user in Tokyo, through the screens: the rates of the law set with one action,
// an employee aged 39 given a standard monthly remuneration of 300,000, and the pay
// statements of December 2026 to March 2027. Figures from the reference's worked
// example: health (9.85 + 0.23) % × 300,000 / 2 = 15,120 (支援金 345), pension 27,450;
// born 1 March 1987 he turns 40 on 1 March 2027, so care (1.62 %) is charged from
// premium month 202702, which the March 2027 pay collects: (11.47 + 0.23) % → 17,550.
// MINASEL_GRAB_DIR, when set, receives a PNG of each screen as the user saw it.
#include "app/numberfield.h"
#include "app/textfield.h"
#include "masters/inpkaisyajoho.h"
#include "masters/mstjyugyoin.h"
#include "payroll/inpkyuyo.h"
#include "payroll/statementrepository.h"
#include "support/screens.h"
#include "support/testdatadir.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;

namespace {

using test::child;

double value(QWidget* w, const char* name)
{
    return child<NumberField>(w, name)->value();
}

void grab(QWidget* w, const char* name)
{
    const QString dir = qEnvironmentVariable("MINASEL_GRAB_DIR");
    if (!dir.isEmpty())
        w->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

void enter(QLineEdit* f, const QString& text)
{
    f->setFocus();
    f->setText(text);
    QTest::keyClick(f, Qt::Key_Return);
}

} // namespace

TEST(ShahoScreens, NewUserInTokyoFromRatesToTheStatements)
{
    test::TestDataDir td;
    AppContext& ctx = td.ctx();
    ctx.refreshCompanies = [](const QString&) {};

    // A new company: the prefecture, then 法定料率を設定 as the dialog offers it.
    ctx.callerName = QStringLiteral("MainMenu");
    auto company = std::make_unique<masters::InpKaisyaJoho>(ctx);
    company->show();
    child<QLineEdit>(company.get(), "txtKaisyaName")->setText(QStringLiteral("見那瀬商店"));
    enter(child<QLineEdit>(company.get(), "txtTodohuken"), QStringLiteral("東京都"));
    enter(child<QLineEdit>(company.get(), "txtKijyuntime"), QStringLiteral("160"));
    child<QPushButton>(company.get(), "cmdHoteiRitu")->click();
    auto* dialog = company->findChild<QDialog*>(QStringLiteral("DlgHoteiRitu"));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(child<QComboBox>(dialog, "cmbTodohuken")->currentText(), QStringLiteral("13 東京都"));
    grab(dialog, "1_hoteiritu");
    child<QPushButton>(dialog, "cmdSettei")->click();
    EXPECT_EQ(value(company.get(), "txtKekohokenRitu"), 9.85);
    EXPECT_EQ(value(company.get(), "txtKekohokenRitu2"), 11.47);
    EXPECT_EQ(value(company.get(), "txtKonehokenRitu"), 18.3);
    EXPECT_EQ(value(company.get(), "txtKoyohokenRitu"), 0.005);
    grab(company.get(), "2_kaisyajoho");
    child<QPushButton>(company.get(), "cmdTouroku")->click();
    EXPECT_TRUE(td.messages().empty()) << td.messages().lastText().toStdString();
    company.reset();
    ctx.companyId = QStringLiteral("51");
    ASSERT_EQ(td.scalar(QStringLiteral("SELECT KEKOHOKEN2 FROM COMPANY WHERE CID = '51'")).toDouble(), 11.47);
    ASSERT_EQ(td.scalar(QStringLiteral("SELECT TYOSYUKBN FROM SYAHOSETTEI WHERE CID = '51'")).toString(), "0");

    // The employee, born 1 March 1987, with a standard amount of 300,000.
    auto master = std::make_unique<masters::MstJyugyoin>(ctx);
    master->show();
    enter(child<QLineEdit>(master.get(), "txtCode"), QStringLiteral("1"));
    child<QLineEdit>(master.get(), "txtName")->setText(QStringLiteral("見那瀬 一郎"));
    enter(child<QLineEdit>(master.get(), "txtsYear"), QStringLiteral("1987"));
    enter(child<QLineEdit>(master.get(), "txtsMonth"), QStringLiteral("3"));
    enter(child<QLineEdit>(master.get(), "txtsDay"), QStringLiteral("1"));
    child<QComboBox>(master.get(), "cmbKubun")->setCurrentIndex(1);
    enter(child<QLineEdit>(master.get(), "txtKihonq"), QStringLiteral("300000"));
    enter(child<QLineEdit>(master.get(), "txtHosyu"), QStringLiteral("300000"));
    EXPECT_EQ(value(master.get(), "txtHyojun"), 300000);
    EXPECT_EQ(value(master.get(), "txtHealth"), 15120);
    EXPECT_EQ(value(master.get(), "txtNenkin"), 27450);
    EXPECT_TRUE(child<NumberField>(master.get(), "txtHealth")->isReadOnly());
    EXPECT_TRUE(child<QLabel>(master.get(), "lblHyojunNote")->text().contains(QStringLiteral("うち子ども・子育て支援金 345円")));
    grab(master.get(), "3_mstjyugyoin");
    child<QPushButton>(master.get(), "cmdWrite")->click();
    EXPECT_TRUE(td.messages().empty()) << td.messages().lastText().toStdString();
    master.reset();
    ASSERT_EQ(td.scalar(QStringLiteral("SELECT HYOJUNGAKU FROM HYOJUNHOSYU WHERE CID = '51' AND JGICODE = '00001'")).toInt(), 300000);

    // The statements: December's pay collects November's premiums, March's February's.
    auto kyuyo = std::make_unique<payroll::InpKyuyo>(ctx);
    kyuyo->show();
    auto month = [&](const char* m) {
        enter(child<QLineEdit>(kyuyo.get(), "txtMonth"), QString::fromLatin1(m));
    };
    auto* list = child<QComboBox>(kyuyo.get(), "cmbJyugyoin");
    enter(child<QLineEdit>(kyuyo.get(), "txtYear"), QStringLiteral("2026"));
    list->setCurrentIndex(0);
    month("12");
    EXPECT_EQ(value(kyuyo.get(), "txtHealth"), 15120);
    EXPECT_EQ(value(kyuyo.get(), "txtNenkin"), 27450);
    EXPECT_EQ(child<QLabel>(kyuyo.get(), "lblShahoNote")->text(), QStringLiteral("うち子ども・子育て支援金 345円"));
    grab(kyuyo.get(), "4_inpkyuyo_202612");
    enter(child<QLineEdit>(kyuyo.get(), "txtYear"), QStringLiteral("2027"));
    month("02");
    EXPECT_EQ(value(kyuyo.get(), "txtHealth"), 15120);
    month("03");
    EXPECT_EQ(value(kyuyo.get(), "txtHealth"), 17550);
    EXPECT_EQ(child<QLabel>(kyuyo.get(), "lblShahoNote")->text(),
              QStringLiteral("うち子ども・子育て支援金 345円　介護保険の対象月です（40歳）"));
    grab(kyuyo.get(), "5_inpkyuyo_202703");
    child<QPushButton>(kyuyo.get(), "cmdWrite")->click();
    std::optional<payroll::MeisaiRecord> stored;
    ASSERT_TRUE(payroll::StatementRepository(ctx, QStringLiteral("test"))
                    .readStatement(QStringLiteral("202703"), QStringLiteral("00001"), QStringLiteral("1"), &stored));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->health, 17550);
    EXPECT_EQ(stored->healthKind, QStringLiteral("1"));   // the care the premium was computed with

    // A stored statement never changes: a new standard amount reaches only new ones.
    ASSERT_TRUE(td.exec(QStringLiteral("UPDATE HYOJUNHOSYU SET HYOJUNGAKU = 320000")));
    month("02");
    EXPECT_EQ(value(kyuyo.get(), "txtHealth"), 16128);   // 10.08 % × 320,000 / 2
    month("03");
    EXPECT_EQ(value(kyuyo.get(), "txtHealth"), 17550);
}

// Refused with a message and nothing stored: an amount not in the grade table, a
// birthday after today (6 December 2026), a rate above 30 %.
TEST(ShahoScreens, BadInputIsRefusedAndNothingStored)
{
    test::TestDataDir td;
    AppContext& ctx = td.ctx();
    const int hyojunRows = td.count(QStringLiteral("SELECT COUNT(*) FROM HYOJUNHOSYU"));
    const QString stored = td.scalar(QStringLiteral("SELECT BIRTHDAY FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00002'")).toString();
    auto master = std::make_unique<masters::MstJyugyoin>(ctx);
    master->show();
    enter(child<QLineEdit>(master.get(), "txtCode"), QStringLiteral("2"));
    enter(child<QLineEdit>(master.get(), "txtHyojun"), QStringLiteral("305000"));
    EXPECT_FALSE(child<NumberField>(master.get(), "txtHealth")->isReadOnly());
    child<QPushButton>(master.get(), "cmdWrite")->click();
    EXPECT_TRUE(td.messages().lastText().startsWith(QStringLiteral("標準報酬月額 305,000円 は等級表にない額です。")));
    enter(child<QLineEdit>(master.get(), "txtHyojun"), QStringLiteral("300000"));
    enter(child<QLineEdit>(master.get(), "txtsYear"), QStringLiteral("2026"));
    enter(child<QLineEdit>(master.get(), "txtsMonth"), QStringLiteral("12"));
    enter(child<QLineEdit>(master.get(), "txtsDay"), QStringLiteral("7"));
    child<QPushButton>(master.get(), "cmdWrite")->click();
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("生年月日が今日より後の日付です。正しく入力して下さい。"));
    EXPECT_EQ(td.count(QStringLiteral("SELECT COUNT(*) FROM HYOJUNHOSYU")), hyojunRows);
    EXPECT_EQ(td.scalar(QStringLiteral("SELECT BIRTHDAY FROM JYUGYOIN WHERE CID = '01' AND JGICODE = '00002'")).toString(), stored);
    master.reset();

    ctx.callerName = QStringLiteral("SyokiSetMenu");
    auto company = std::make_unique<masters::InpKaisyaJoho>(ctx);
    company->show();
    enter(child<QLineEdit>(company.get(), "txtKonehokenRitu"), QStringLiteral("31"));
    child<QPushButton>(company.get(), "cmdTouroku")->click();
    EXPECT_EQ(td.messages().lastText(), QStringLiteral("厚生年金保険料率は 0〜30％ の範囲で入力して下さい。"));
    EXPECT_NE(td.scalar(QStringLiteral("SELECT KONEHOKEN FROM COMPANY WHERE CID = '01'")).toDouble(), 31.0);
}
