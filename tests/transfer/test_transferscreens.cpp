#include "app/screenregistry.h"
#include "db/rowwriter.h"
#include "payroll/meisairecord.h"
#include "reports/pdfcanvas.h"
#include "support/screens.h"
#include "support/testdatadir.h"
#include "transfer/inpkaisyaginko.h"
#include "transfer/mstjyugyoinginko.h"
#include "transfer/runfurikomi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::transfer;
using namespace minasel::test;

namespace {

void set(QWidget* w, const char* name, const QString& text)
{
    child<QLineEdit>(w, name)->setText(text);
}

struct ScreensTest : ::testing::Test {
    TestDataDir data;
    ScreenRegistry registry;
    void SetUp() override
    {
        registerMastersScreens(registry);
        registerTransferScreens(registry);
        data.ctx().screens = &registry;
        data.ctx().callerName = QStringLiteral("SyokiSetMenu");
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            delete w;
    }
    QWidget* open(const char* name)
    {
        QWidget* w = registry.create(QLatin1String(name), data.ctx());
        w->show();
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        return w;
    }
};

} // namespace

// Opened from the company screen; names are shown and stored as the bank takes them,
// a character it does not take is refused by name and nothing is stored.
TEST_F(ScreensTest, CompanyAccountFromTheCompanyScreen)
{
    QWidget* company = open("InpKaisyaJoho");
    child<QPushButton>(company, "cmdGinko")->click();
    QWidget* w = visibleWindow("InpKaisyaGinko");
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(company->isVisible());
    set(w, "txtIraiCode", "123");
    set(w, "txtIraiName", QStringLiteral("株式会社　ミナセ・ショウジ"));
    EXPECT_EQ(child<QLabel>(w, "lblIraiName")->text(), QStringLiteral("「・」は振込データに使えない文字です。"));
    set(w, "txtGinkoCode", "9999");
    set(w, "txtSitenCode", "001");
    set(w, "txtKozaNo", "1234567");
    child<QLineEdit>(w, "txtIraiCode")->setFocus();
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("依頼人名（カナ）の「・」は振込データに使えない文字です。"));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtIraiName"));
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM KAISYAGINKO"), 0);

    set(w, "txtIraiName", QStringLiteral("株式会社　ミナセショウジ"));
    EXPECT_EQ(child<QLabel>(w, "lblIraiName")->text(), QStringLiteral("振込データ：ｶ)ﾐﾅｾｼﾖｳｼﾞ"));
    pressF(w, 1);
    EXPECT_EQ(data.scalar("SELECT IRAICODE || '/' || IRAINAME || '/' || SIKYUDAY FROM KAISYAGINKO WHERE CID = '01'"),
              QStringLiteral("0000000123/ｶ)ﾐﾅｾｼﾖｳｼﾞ/25.0"));
    EXPECT_EQ(child<QLineEdit>(w, "txtIraiCode")->text(), QStringLiteral("0000000123"));
    w->close();
    EXPECT_TRUE(company->isVisible());
}

// The employee shown in the master; a new account takes his kana as the holder name.
TEST_F(ScreensTest, EmployeeAccountFromTheEmployeeMaster)
{
    QWidget* master = open("MstJyugyoin");
    QLineEdit* code = child<QLineEdit>(master, "txtCode");
    code->setFocus();
    QTest::keyClicks(code, "99");
    QTest::keyClick(code, Qt::Key_Return);
    child<QPushButton>(master, "cmdGinko")->click();
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("従業員情報を登録した後、振込口座を設定して下さい。"));
    EXPECT_EQ(visibleWindow("MstJyugyoinGinko"), nullptr);

    code->setFocus();
    code->setText("2");
    QTest::keyClick(code, Qt::Key_Return);
    child<QPushButton>(master, "cmdGinko")->click();
    QWidget* w = visibleWindow("MstJyugyoinGinko");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(child<QLineEdit>(w, "txtKozaName")->text(), QStringLiteral("サトウ ハナコ"));
    EXPECT_EQ(child<QLabel>(w, "lblKozaName")->text(), QStringLiteral("振込データ：ｻﾄｳ ﾊﾅｺ"));
    set(w, "txtGinkoCode", "9998");
    set(w, "txtSitenCode", "02");
    child<QComboBox>(w, "cmbYokin")->setCurrentIndex(1);
    set(w, "txtKozaNo", "42");
    child<QLineEdit>(w, "txtGinkoCode")->setFocus();
    pressF(w, 1);
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("支店番号は3桁の数字で入力して下さい。"));
    set(w, "txtSitenCode", "002");
    pressF(w, 1);
    EXPECT_EQ(data.scalar("SELECT SITENCODE || YOKINKBN || KOZANO || KOZANAME || FURIKOMIKBN FROM JYUGYOINGINKO "
                          "WHERE CID = '01' AND JGICODE = '00002'"),
              QStringLiteral("00220000042ｻﾄｳ ﾊﾅｺ1"));
}

// The month's statements listed with their accounts, the others apart; the file and
// the list of the ticked ones, with the trailer shown beside the statements' sum.
TEST_F(ScreensTest, TransferFileAndListFromTheScreen)
{
    for (auto [code, pay] : {std::pair{"00002", 200000LL}, {"00003", 150000LL}, {"00004", 90000LL}}) {
        payroll::MeisaiRecord r;
        r.cid = "01", r.payMonth = "202612", r.employeeCode = code, r.kihonkyu = pay, r.tax = 1000;
        ASSERT_TRUE(db::insertRow(data.ctx().db(), db::Table::Meisai, r.toRowValues(), 2026, nullptr, nullptr));
    }
    ASSERT_TRUE(data.exec("INSERT INTO KAISYAGINKO VALUES('01', '0000000001', 'ﾐﾅｾ', '9999', '', '001', '', '1', "
                          "'1234567', 25)"));
    for (const char* code : {"00002", "00003"})
        ASSERT_TRUE(data.exec(QStringLiteral("INSERT INTO JYUGYOINGINKO VALUES('01', '%1', '9998', '', '002', '', '1', "
                                             "'7654321', 'ﾃｽﾄ', '1')").arg(QLatin1String(code))));

    auto* w = static_cast<RunFurikomi*>(open("RunFurikomi"));
    auto* grid = child<QTableWidget>(w, "grdFurikomi");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(child<QTableWidget>(w, "grdTaisyogai")->item(0, 3)->text(), QStringLiteral("振込口座が未登録"));
    // 25 December 2026 is a Friday.
    EXPECT_EQ(child<QLineEdit>(w, "txtFuriMonth")->text() + child<QLineEdit>(w, "txtFuriDay")->text(), "1225");
    EXPECT_EQ(child<QLabel>(w, "lblSentaku")->text(), QStringLiteral("選択 2 件　差引支給額の合計 348,000 円"));

    grid->item(1, 0)->setCheckState(Qt::Unchecked);
    QTemporaryDir dir;
    // A month that does not exist is refused, not taken for December; the focus going
    // back through the pay month on the way keeps the user's ticks.
    child<QLineEdit>(w, "txtFuriMonth")->setText("13");
    w->chooseFile = [&](const QString&) { return dir.filePath("bad.txt"); };
    EXPECT_FALSE(w->writeFile());
    EXPECT_EQ(data.messages().lastText(), QStringLiteral("振込指定日を正しい月日で入力して下さい。"));
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.txt")));
    child<QLineEdit>(w, "txtFuriMonth")->setText("12");
    w->chooseFile = [&](const QString& suggested) {
        EXPECT_TRUE(QFileInfo(suggested).fileName().startsWith(QStringLiteral("振込_給与_202612"))) << suggested.toStdString();
        return dir.filePath("f.txt");
    };
    child<QPushButton>(w, "cmdWrite")->click();
    QFile f(dir.filePath("f.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.size(), 4 * 120);
    EXPECT_EQ(child<QLabel>(w, "lblTrailer")->text(), QStringLiteral("トレーラー 1 件　199,000 円"));
    EXPECT_EQ(child<QLabel>(w, "lblMeisai")->text(), QStringLiteral("明細の合計 1 件　199,000 円　（一致）"));

    data.ctx().printerName = AppContext::pdfPrinterName();
    w->printHooks().preview = [](QPrinter&, const std::function<void(QPrinter*)>&) { return true; };
    w->printHooks().choosePdfFile = [&](const QString&) { return dir.filePath("list.pdf"); };
    w->printHooks().openFile = [](const QString&) {};
    EXPECT_TRUE(w->printList());
    EXPECT_GT(QFile(dir.filePath("list.pdf")).size(), 1000);

    // Without the company's account nothing is written.
    ASSERT_TRUE(data.exec("DELETE FROM KAISYAGINKO"));
    w->chooseFile = [&](const QString&) { return dir.filePath("g.txt"); };
    EXPECT_FALSE(w->writeFile());
    EXPECT_TRUE(data.messages().lastText().startsWith(QStringLiteral("会社の振込口座（依頼人）が登録されていません。")));
    EXPECT_FALSE(QFile::exists(dir.filePath("g.txt")));
}

// Accounts from a CSV: previewed, and stored only when no line has a fault.
TEST_F(ScreensTest, CsvImportFromTheScreen)
{
    auto* w = static_cast<RunFurikomi*>(open("RunFurikomi"));
    QTemporaryDir dir;
    QFile f(dir.filePath("k.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("2,9998,002,1,1234567,ｻﾄｳ ﾊﾅｺ\n3,9998,002,1,12345678,ｽｽﾞｷ\n").toUtf8());
    f.close();
    w->chooseCsv = [&] { return f.fileName(); };
    int faults = -1;
    w->confirmImport = [&](const QList<BankCsvImport::Row>& rows) {
        faults = BankCsvImport::errorCount(rows);
        return true;   // even a user who insists stores nothing
    };
    EXPECT_FALSE(w->importCsv());
    EXPECT_EQ(faults, 1);
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO"), 0);

    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QStringLiteral("2,9998,002,1,1234567,ｻﾄｳ ﾊﾅｺ\n").toUtf8());
    f.close();
    EXPECT_TRUE(w->importCsv());
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(data.count("SELECT COUNT(*) FROM JYUGYOINGINKO WHERE JGICODE = '00002' AND FURIKOMIKBN = '1'"), 1);
}
