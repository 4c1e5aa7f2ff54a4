#include "reports/setuseprinter.h"
#include "support/testdatadir.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;

TEST(SetUsePrinterTest, ListsPrintersNewestFirstThenPdfAndAppliesTheChoice)
{
    test::TestDataDir dir(false);
    QWidget menu;
    menu.setEnabled(false);   // the menu disables itself while the screen is open
    auto* screen = new SetUsePrinter(dir.ctx(), [] { return QStringList{"P1", "P2", "P3"}; });
    screen->setOpener(&menu);
    screen->show();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("使用するプリンタの設定 - ") + dir.ctx().companyName);
    auto* list = screen->findChild<QComboBox*>("cmbPrinterList");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(0), QStringLiteral("P3"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("P1"));
    EXPECT_EQ(list->itemText(3), AppContext::pdfPrinterName());
    EXPECT_EQ(list->currentText(), QStringLiteral("P3"));
    list->setCurrentIndex(1);
    screen->findChild<QPushButton*>("cmdSetPrinter")->click();
    EXPECT_EQ(dir.ctx().printerName, QStringLiteral("P2"));
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("通常使うプリンターを[ P2 ]に変更しました。"));
    EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Exclamation);
    EXPECT_TRUE(menu.isEnabled());   // the opener comes back usable
}

TEST(SetUsePrinterTest, NoPrinterStillOffersPdfOutput)
{
    test::TestDataDir dir(false);
    auto* screen = new SetUsePrinter(dir.ctx(), [] { return QStringList{}; });
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("プリンタードライバーがインストールされていません。"));
    auto* list = screen->findChild<QComboBox*>("cmbPrinterList");
    ASSERT_EQ(list->count(), 1);
    screen->apply();
    EXPECT_EQ(dir.ctx().printerName, AppContext::pdfPrinterName());
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("通常使うプリンターを[ PDF 出力 ]に変更しました。"));
}

TEST(SetUsePrinterTest, PrinterGoneMeanwhileIsAFailureAndCancelKeepsTheChoice)
{
    test::TestDataDir dir(false);
    dir.ctx().printerName = QStringLiteral("P1");
    int calls = 0;
    auto* screen = new SetUsePrinter(dir.ctx(), [&calls] {
        return ++calls == 1 ? QStringList{"P9"} : QStringList{};
    });
    screen->apply();
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("通常使うプリンターの変更処理に失敗しました。"));
    EXPECT_EQ(dir.ctx().printerName, QStringLiteral("P1"));

    auto* again = new SetUsePrinter(dir.ctx(), [] { return QStringList{"P2"}; });
    dir.messages().clear();
    again->findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_TRUE(dir.messages().empty());
    EXPECT_EQ(dir.ctx().printerName, QStringLiteral("P1"));
}
