#include "app/numberfield.h"
#include "app/screenregistry.h"
#include "gensenfixture.h"
#include "reports/employeepicker.h"
#include "reports/printpreview.h"
#include "reports/prtgensen.h"
#include "support/cli.h"

#include <QApplication>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;

namespace {

class PrtGensenTest : public ::testing::Test {
protected:
    void SetUp() override { test::storeFullSlip(dir); }
    // The PDF's pages, when poppler-utils can count them.
    void expectPages(const QString& path, int want)
    {
        if (const int n = test::pdfPages(path); n >= 0)
            EXPECT_EQ(n, want) << path.toStdString();
    }
    test::TestDataDir dir;
    QTemporaryDir out;
    int previews = 0;
};

} // namespace

TEST_F(PrtGensenTest, OpensFromTheMenuKeyAndListsTheYearsRows)
{
    ScreenRegistry registry;
    registerReportsScreens(registry);
    std::unique_ptr<QWidget> w(registry.create(QStringLiteral("PrtGensen"), dir.ctx()));
    auto* screen = qobject_cast<PrtGensen*>(w.get());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->findChild<NumberField*>("txtYear")->text(), QStringLiteral("2026"));
    ASSERT_EQ(screen->picker()->candidates().size(), 1);
    EXPECT_EQ(screen->picker()->candidates()[0].code, QStringLiteral("00002"));
    screen->findChild<NumberField*>("txtYear")->setValue(2025);
    EXPECT_TRUE(screen->picker()->candidates().isEmpty());
}

TEST_F(PrtGensenTest, PrintsTheChosenSlipsToPdfAndRefusesAnEmptyChoice)
{
    PrtGensen screen(dir.ctx());
    const QString path = out.filePath(QStringLiteral("gensen.pdf"));
    screen.printHooks() = test::pdfHooks(path, &previews);
    screen.findChild<QPushButton*>("cmdPrint")->click();
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
    EXPECT_EQ(previews, 0);

    // The range 00001-00009 takes the one candidate across.
    screen.findChild<QLineEdit*>("txtStartNo")->setText(QStringLiteral("00001"));
    screen.findChild<QLineEdit*>("txtEndNo")->setText(QStringLiteral("00009"));
    screen.picker()->applyRange();
    ASSERT_EQ(screen.picker()->rightCount(), 1);
    dir.messages().answerNext(Messages::Answer::No);   // do not open the PDF
    screen.findChild<QPushButton*>("cmdPrint")->click();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(screen.lastOutput(), path);
    expectPages(path, 4);
    EXPECT_TRUE(screen.findChild<QWidget*>("fmMsg")->isHidden());
}

TEST_F(PrtGensenTest, OffsetIsKeptPerPrinterAndUsedForTheFormAndTheTestSheet)
{
    {
        PrtGensen screen(dir.ctx());
        EXPECT_TRUE(screen.findChild<QLabel*>("lbPrinter")->text().contains(AppContext::pdfPrinterName()));
        screen.findChild<NumberField*>("txtHoseiX")->setValue(1.5);
        screen.findChild<NumberField*>("txtHoseiY")->setValue(-2.0);
    }
    EXPECT_EQ(dir.scalar(QStringLiteral("SELECT HOSEIX FROM PRTHOSEI WHERE PRTNAME = '%1' AND FORMNAME = 'GENSEN'")
                             .arg(AppContext::pdfPrinterName()))
                  .toDouble(),
              1.5);
    PrtGensen screen(dir.ctx());
    EXPECT_EQ(screen.findChild<NumberField*>("txtHoseiY")->value(), -2.0);

    const QString sheet = out.filePath(QStringLiteral("sheet.pdf"));
    screen.printHooks() = test::pdfHooks(sheet, &previews);
    dir.messages().answerNext(Messages::Answer::No);
    screen.findChild<QPushButton*>("cmdTestPrint")->click();
    EXPECT_EQ(screen.lastOutput(), sheet);
    expectPages(sheet, 1);
}

TEST_F(PrtGensenTest, CommandLineWritesTheSlipsWithoutAWindow)
{
    auto run = [&](const QString& pdf, const QStringList& extra) {
        return test::runCli(QStringLiteral(MINASEL_CLI), QStringList{QStringLiteral("gensen"), QStringLiteral("--data-dir"),
                                                                     dir.path(), QStringLiteral("--company"), QStringLiteral("01"),
                                                                     QStringLiteral("--pdf"), pdf} + extra).status;
    };
    const QString pdf = out.filePath(QStringLiteral("cli.pdf"));
    EXPECT_EQ(run(pdf, {"--year", "2026", "--paper", "plain"}), 0);
    expectPages(pdf, 4);
    // Refusals leave no file behind.
    const QString none = out.filePath(QStringLiteral("none.pdf"));
    EXPECT_EQ(run(none, {"--year", "2026", "--paper", "both"}), 2);
    EXPECT_EQ(run(none, {"--year", "2025", "--paper", "form"}), 1);                          // no rows that year
    EXPECT_EQ(run(none, {"--year", "2026", "--paper", "form", "--employees", "00003"}), 1);   // no row for him
    ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE COMPANY SET COMPANY = '', ADRS1 = '', ADRSTDHK = '', HOJINNUM = ''")));
    EXPECT_EQ(run(none, {"--year", "2026", "--paper", "plain"}), 1);                         // no payer
    EXPECT_FALSE(QFile::exists(none));
}

// F5 of the year-end screen (as the menu opens it) prints its employee from its boxes.
TEST_F(PrtGensenTest, YearEndScreenPrintsItsEmployeeOnF5)
{
    ASSERT_TRUE(db::WriteMeisaiTable(dir.ctx(), test::meisaiRow("202612", "00002", 1, "1", {{"KIHONKYU", "300000"}})));
    ScreenRegistry registry;
    registerNentyoScreens(registry);
    std::unique_ptr<QWidget> screen(registry.create(QStringLiteral("InpNentyo"), dir.ctx()));
    screen->show();
    for (const auto& [paper, want] : {std::pair{"optFutusi", 4}, std::pair{"optGensi", 1}}) {
        screen->findChild<QRadioButton*>(QLatin1String(paper))->setChecked(true);
        int shown = -1;
        // The preview is modal: read its pages and close it.
        std::function<void()> look = [&] {
            if (auto* preview = qobject_cast<PrintPreview*>(QApplication::activeModalWidget())) {
                QApplication::processEvents();
                shown = preview->view()->pageCount();
                preview->reject();
            } else {
                QTimer::singleShot(20, look);
            }
        };
        QTimer::singleShot(0, look);
        QTest::keyClick(screen.get(), Qt::Key_F5);
        EXPECT_EQ(shown, want) << paper;
    }
    EXPECT_TRUE(dir.messages().empty()) << dir.messages().lastText().toStdString();
}
