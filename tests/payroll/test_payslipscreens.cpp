#include "app/numberfield.h"
#include "app/screenregistry.h"
#include "payroll/payslipprintjob.h"
#include "payroll/prtkyuyosyoyo.h"
#include "payroll/syoyocalculator.h"
#include "payslipfixture.h"
#include "reports/employeepicker.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using minasel::reports::PrintJob;

namespace {

class PayslipScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store("202611", "00001", 1);
        store("202611", "00002", 1);
        store("202611", "00004", 1);
        store("202611", "00003", 2);
        store("202610", "00003", 1);
    }
    void store(const QString& month, const QString& code, int kind)
    {
        ASSERT_TRUE(db::WriteMeisaiTable(dir.ctx(), test::meisaiRow(month, code, kind, "1",
                                                                    {{"KIHONKYU", "250000"}, {"HEALTH", "12000"}})));
    }
    PrintJob::Hooks hooks(const QString& file) { return test::pdfHooks(file, &previews); }
    QStringList leftCodes(reports::EmployeePicker* picker)
    {
        QStringList c;
        for (const auto& e : picker->candidates())
            c << e.code;
        return c;
    }

    test::TestDataDir dir;
    QTemporaryDir out;
    int previews = 0;
};

int pdfPages(const QString& path)
{
    const QString info = test::runTool(QStringLiteral("pdfinfo"), {path});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

TEST_F(PayslipScreenTest, CandidatesFollowKindAndMonth)
{
    dir.clock().set(QDateTime(QDate(2026, 11, 25), QTime(9, 0)));
    payroll::PrtKyuyoSyoyo screen(dir.ctx());
    EXPECT_EQ(screen.payMonth(), QStringLiteral("202611"));
    EXPECT_EQ(leftCodes(screen.picker()), (QStringList{"00001", "00002", "00004"}));
    EXPECT_EQ(screen.picker()->candidates().first().name, QStringLiteral("見那瀬 太郎"));
    screen.findChild<QRadioButton*>("optSyoyo")->setChecked(true);
    EXPECT_EQ(leftCodes(screen.picker()), (QStringList{"00003"}));
    screen.findChild<QRadioButton*>("optKyuyo")->setChecked(true);
    screen.findChild<NumberField*>("txtMonth")->setValue(10);
    EXPECT_EQ(leftCodes(screen.picker()), (QStringList{"00003"}));
    screen.findChild<NumberField*>("txtMonth")->setValue(9);
    EXPECT_TRUE(screen.picker()->candidates().isEmpty());
}

TEST_F(PayslipScreenTest, NothingChosenIsRefusedWithTheMessage)
{
    payroll::PrtKyuyoSyoyo screen(dir.ctx());
    screen.findChild<NumberField*>("txtMonth")->setValue(11);
    screen.printHooks() = hooks(out.filePath("x.pdf"));
    screen.findChild<QPushButton*>("cmdPrint")->click();
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
    EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Exclamation);
    EXPECT_EQ(previews, 0);
    EXPECT_FALSE(QFile::exists(out.filePath("x.pdf")));
}

TEST_F(PayslipScreenTest, BatchWritesOneSlipPerChosenEmployee)
{
    payroll::PrtKyuyoSyoyo screen(dir.ctx());
    screen.findChild<NumberField*>("txtYear")->setValue(2026);
    screen.findChild<NumberField*>("txtMonth")->setValue(11);
    auto* left = screen.findChild<QTableWidget*>("gdLeft");
    left->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);
    screen.findChild<QPushButton*>("cmdTORIGHT")->click();
    const QString path = out.filePath("batch.pdf");
    screen.printHooks() = hooks(path);
    dir.messages().answerNext(Messages::Answer::No);
    screen.findChild<QPushButton*>("cmdPrint")->click();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(screen.lastOutput(), path);
    ASSERT_TRUE(QFile::exists(path));
    const int pages = pdfPages(path);
    if (pages >= 0)
        EXPECT_EQ(pages, 2);
    EXPECT_TRUE(screen.findChild<QWidget*>("fmMsg")->isHidden());
    EXPECT_TRUE(screen.isEnabled());
}

TEST_F(PayslipScreenTest, SingleSlipOfAStatementAsItStands)
{
    payroll::PayslipPrintJob job(dir.ctx(), nullptr, hooks(out.filePath("one.pdf")));
    dir.messages().answerNext(Messages::Answer::No);
    payroll::MeisaiRecord bonus = payroll::newBonusStatement("01", "202611", "00003", "1", 0, "0");
    bonus.kihonkyu = 345678;
    EXPECT_EQ(job.printStatement(bonus, QStringLiteral("鈴木 一郎")), PrintJob::Result::Printed);
    const QString text = test::runTool(QStringLiteral("pdftotext"), {out.filePath("one.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(QFile::exists(out.filePath("one.pdf")));
    if (!text.isNull()) {
        EXPECT_TRUE(text.contains(QStringLiteral("賞 与 明 細 書")));
        EXPECT_TRUE(text.contains(QStringLiteral("鈴木 一郎")));
        EXPECT_TRUE(text.contains(QStringLiteral("345,678")));
    }
}

TEST_F(PayslipScreenTest, ScreensAreRegistered)
{
    ScreenRegistry registry;
    registerPayrollScreens(registry);
    registerReportsScreens(registry);
    EXPECT_TRUE(registry.has(QStringLiteral("PrtKyuyoSyoyo")));
    EXPECT_TRUE(registry.has(QStringLiteral("SetUsePrinter")));
    std::unique_ptr<QWidget> w(registry.create(QStringLiteral("PrtKyuyoSyoyo"), dir.ctx()));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("給与・賞与明細票印刷 - ") + dir.ctx().companyName);
}
