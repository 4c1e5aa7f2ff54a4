#include "app/screenregistry.h"
#include "db/rowwriter.h"
#include "masters/employee.h"
#include "masters/mstjyugyoin.h"
#include "reports/dspjyugyoin.h"
#include "reports/employeelist.h"
#include "reports/employeelistlayout.h"
#include "reports/employeepicker.h"
#include "reports/prtjyugyoin.h"
#include "reports/recordingcanvas.h"
#include "payroll/payslipfixture.h"
#include "support/cli.h"
#include "support/golden.h"
#include "support/testdatadir.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;

namespace {

const QString kMyNumber = QStringLiteral("123456789018");

// Every field filled, with other allowances 1-10 and deductions 1-6 (the last of each beyond the list).
masters::Employee fullEmployee()
{
    return {.code = "00005", .name = "見那瀬 花子", .kana = "ミナセ ハナコ", .sex = "女", .birthday = "19850309",
            .zip = "100-0005", .add1 = "東京都千代田区丸の内1-1-1", .add2 = "ミナセルビル5階", .tel = "03-1234-5678",
            .kbn = "2", .syokumu = "経理事務", .nyusyabi = "20100401", .kihonkyu = 1234567, .yhosyu = 300000,
            .food = 10000, .tukin = 12300, .sikacode = "A0002", .home = 21000, .fami = 15000, .fukacode = "B0002",
            .health = 14868, .nenkin = 27450, .simizei = 12500, .timemoney = 1618.4, .faminum = 2, .haigu = true,
            .child1 = true, .gaijin = true, .kaigo = true, .koyo = true, .myNumber = kMyNumber};
}

class EmployeeListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The sample company has 00001-00004; 00005 is full, 00006 has left.
        ASSERT_TRUE(db::WriteJyugyoinTable(dir.ctx(), fullEmployee().toRow("01")));
        for (int i = 6; i <= 8; ++i) {
            masters::Employee e{.code = QStringLiteral("0000%1").arg(i), .name = QStringLiteral("社員%1").arg(i)};
            e.taisyabi = i == 6 ? QStringLiteral("20261130") : QString();
            ASSERT_TRUE(db::WriteJyugyoinTable(dir.ctx(), e.toRow("01")));
        }
        for (int n = 1; n <= 10; ++n)
            ASSERT_TRUE(db::WriteSonotaTable(dir.ctx(), {"01", "00005", QString::number(n), QStringLiteral("手当%1").arg(n),
                                                         QString::number(1001 * n), "0"}));
        for (int n = 1; n <= 6; ++n)
            ASSERT_TRUE(db::WriteSonotaKojyoTable(dir.ctx(), {"01", "00005", QString::number(n),
                                                              QStringLiteral("控除%1").arg(n), QString::number(101 * n)}));
        ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE JYUGYOIN SET MYNUMBER = '%1'").arg(kMyNumber)));
    }
    RecordingCanvas printed(const QStringList& codes)
    {
        QList<EmployeeListEntry> entries;
        EXPECT_TRUE(EmployeeList(dir.ctx()).read(codes, EmployeeList::printProcedures(), &entries));
        RecordingCanvas canvas;
        EXPECT_EQ(EmployeeListLayout::print(dir.ctx(), canvas, entries), EmployeeListLayout::Outcome::Printed);
        return canvas;
    }
    QStringList allCodes()
    {
        QList<PickerEntry> all;
        EXPECT_TRUE(EmployeeList(dir.ctx()).candidates(false, &all));
        QStringList codes;
        for (const auto& e : all)
            codes << e.code;
        return codes;
    }

    test::TestDataDir dir;
};

} // namespace

TEST_F(EmployeeListTest, SevenBandsAPageEachUnderItsHeading)
{
    const RecordingCanvas canvas = printed(allCodes());
    EXPECT_EQ(canvas.calls().mid(0, 3), (QStringList{"paper 9", "orientation 2", "font ＭＳ 明朝 10"}));
    EXPECT_EQ(canvas.pageCount(), 2);
    // Heading band 1000-2290; band k begins 1290 twips below band k-1; a line of 10 points sits 115 into its row.
    const struct { const char* code; int page; int y; } bands[] = {{"00001", 1, 2405}, {"00007", 1, 10145}, {"00008", 2, 2405}};
    for (const auto& b : bands) {
        const auto* t = canvas.find(QString::fromUtf8(b.code));
        ASSERT_NE(t, nullptr) << b.code;
        EXPECT_EQ(t->page, b.page) << b.code;
        EXPECT_EQ(t->y, b.y) << b.code;
        EXPECT_EQ(t->x, 440) << b.code;
    }
    int headings = 0;
    for (const auto& t : canvas.texts())
        headings += t.text == QStringLiteral("従業員番号") || t.text.startsWith(QStringLiteral("P. "));
    EXPECT_EQ(headings, 4);   // heading and page number on each page
    EXPECT_NE(canvas.find(QStringLiteral("P. 2")), nullptr);

    RecordingCanvas refusing;   // a printer without A4 landscape prints nothing
    refusing.refusePaper(9);
    QList<EmployeeListEntry> entries;
    ASSERT_TRUE(EmployeeList(dir.ctx()).read({"00001"}, EmployeeList::printProcedures(), &entries));
    EXPECT_EQ(EmployeeListLayout::print(dir.ctx(), refusing, entries), EmployeeListLayout::Outcome::Refused);
    EXPECT_TRUE(refusing.texts().isEmpty() && refusing.aborted());
}

// Where each value of the full employee stands on paper is the reviewed call list
// (PageMatchesTheReviewedCallList, which prints 00005); here, the display grid.
TEST_F(EmployeeListTest, EveryValueOfAFullEmployeeShown)
{
    DspJyugyoin screen(dir.ctx(), {"00005"});
    const QTableWidget* grid = screen.grid();
    ASSERT_EQ(grid->rowCount(), 1);
    const QStringList headings = EmployeeList::displayHeadings();
    auto cell = [&](const QString& heading) { return grid->item(0, int(headings.indexOf(heading)))->text(); };
    EXPECT_EQ(headings.size(), 46);
    EXPECT_EQ(cell("自宅住所"), QStringLiteral("東京都千代田区丸の内1-1-1　ミナセルビル5階"));
    EXPECT_EQ(cell("その他手当9"), QStringLiteral("手当9 9,009"));
    EXPECT_EQ(cell("その他控除5"), QStringLiteral("控除5 505"));
    EXPECT_EQ(cell("健康保険区分"), QStringLiteral("介護保険第２号被保険者"));
    EXPECT_EQ(cell("所得税計算"), QStringLiteral("しない"));
    EXPECT_EQ(cell("氏名（漢字）"), QStringLiteral("見那瀬 花子"));
    EXPECT_EQ(cell("退社年月日"), QString());
}

TEST(EmployeeListTextTest, ClassesAndSwitches)
{
    EmployeeListEntry e;
    const struct { const char* kbn; const char* text; } classes[] = {
        {"0", "役員"}, {"1", "正社員"}, {"2", "契約社員"}, {"3", "パート"}, {"4", "アルバイト"}, {"5", ""}, {"6", ""}, {"", ""}};
    for (const auto& c : classes) {
        e.employee.kbn = QString::fromUtf8(c.kbn);
        EXPECT_EQ(EmployeeList::text(e, ListField::Kbn, ListMedium::Print), QString::fromUtf8(c.text)) << c.kbn;
    }
    const struct { ListField field; bool on; ListMedium medium; const char* text; } switches[] = {
        {ListField::Kaigo, false, ListMedium::Print, "一般"},
        {ListField::Kaigo, true, ListMedium::Display, "介護保険第２号被保険者"},
        {ListField::Koyo, false, ListMedium::Print, ""},
        {ListField::Koyo, false, ListMedium::Display, "しない"},
        {ListField::CalcTax, true, ListMedium::Print, "する"},
        {ListField::Child2, false, ListMedium::Display, ""},
        {ListField::Gaijin, false, ListMedium::Display, ""},
    };
    for (const auto& s : switches) {
        e.employee.kaigo = e.employee.koyo = e.employee.calcTax = e.employee.child2 = e.employee.gaijin = s.on;
        EXPECT_EQ(EmployeeList::text(e, s.field, s.medium), QString::fromUtf8(s.text)) << s.text;
    }
}

TEST_F(EmployeeListTest, FromTheMasterPrintButtonThroughFilterDisplayCsvAndPdf)
{
    ScreenRegistry registry;
    registerReportsScreens(registry);
    dir.ctx().screens = &registry;
    auto* master = new masters::MstJyugyoin(dir.ctx());
    master->show();
    auto* print = master->findChild<QPushButton*>("cmdPrint");
    ASSERT_TRUE(print->isEnabled());
    print->click();
    PrtJyugyoin* screen = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<PrtJyugyoin*>(w))
            screen = s;
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(master->isVisible());

    // Only those still employed until the box is cleared.
    EXPECT_EQ(screen->picker()->leftCount(), 7);
    screen->findChild<QCheckBox*>("chkAll")->setChecked(false);
    EXPECT_EQ(screen->picker()->leftCount(), 8);

    EXPECT_EQ(screen->display(), nullptr);
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("表示可能なデータを決めた後、表示ボタンを押して下さい。"));
    screen->findChild<QPushButton*>("cmdPrint")->click();
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));

    screen->picker()->leftGrid()->setRangeSelected(QTableWidgetSelectionRange(0, 0, 7, 1), true);
    screen->picker()->moveSelectedRight();
    QTemporaryDir out;
    const QString pdf = out.filePath("list.pdf");
    int previews = 0;
    screen->printHooks() = test::pdfHooks(pdf, &previews);
    screen->print();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(screen->lastOutput(), pdf);
    EXPECT_EQ(QFile(pdf).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);   // personal data: owner only

    DspJyugyoin* display = screen->display();
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(display->grid()->rowCount(), 8);
    const QString csv = out.filePath("list.csv");
    display->chooseCsvFile = [csv](const QString&) { return csv; };
    ASSERT_TRUE(display->exportCsv());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" + QStringLiteral("従業員番号,氏名（カナ）,性別,生年月日").toUtf8()));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 9);

    // The individual number nowhere: not on paper, not in the grid, not in the file.
    const RecordingCanvas canvas = printed(allCodes());
    for (const auto& t : canvas.texts())
        EXPECT_FALSE(t.text.contains(kMyNumber));
    for (int r = 0; r < display->grid()->rowCount(); ++r)
        for (int c = 0; c < display->grid()->columnCount(); ++c)
            EXPECT_FALSE(display->grid()->item(r, c)->text().contains(kMyNumber));
    EXPECT_FALSE(text.contains(kMyNumber));
    display->close();
    EXPECT_TRUE(screen->isVisible());
    screen->close();
    EXPECT_TRUE(master->isVisible());
    master->close();
}

TEST_F(EmployeeListTest, CommandLineWritesTheActiveEmployees)
{
    QTemporaryDir out;
    const test::CliRun r = test::runCli(QStringLiteral(MINASEL_CLI),
        {"employees", "--data-dir", dir.path(), "--company", "01", "--active-only", "--csv", out.filePath("e.csv"), "--pdf",
         out.filePath("e.pdf")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile csv(out.filePath("e.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 8);   // headings and seven employees: 00006 has left
    EXPECT_FALSE(bytes.contains("00006"));
    EXPECT_FALSE(bytes.contains(kMyNumber.toUtf8()));
    EXPECT_TRUE(QFile::exists(out.filePath("e.pdf")));
}

TEST_F(EmployeeListTest, PageMatchesTheReviewedCallList)
{
    test::expectGolden(printed({"00002", "00005"}), QStringLiteral(MINASEL_GOLDEN_DIR "/employee_list.txt"));
}
