#include "app/screenregistry.h"
#include "app/textfield.h"
#include "ledgerfixture.h"
#include "reports/dspgetudaityo.h"
#include "reports/dspkojindaityo.h"
#include "reports/employeepicker.h"
#include "reports/ledgergrid.h"
#include "reports/prtgetudaityo.h"
#include "reports/prtkojindaityo.h"
#include "support/cli.h"

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace minasel;
using namespace minasel::reports;

namespace {

class LedgerScreenTest : public test::LedgerFixture {
protected:
    void SetUp() override
    {
        statement("202611", 2, 1, test::fullStatement());
        statement("202611", 4, 1, {{"KIHONKYU", "90000"}, {"BATIME", "80"}}, "3");
        statement("202612", 2, 1, {{"KIHONKYU", "250000"}});
        statement("202612", 3, 2, {{"KIHONKYU", "300000"}});
    }
    // Straight through the preview to the PDF file, as if no printer were installed.
    PrintJob::Hooks hooks(const QString& file) { return test::pdfHooks(file, &previews); }
    void setPeriod(PrtGetuDaityo& s, const QStringList& values)
    {
        int i = 0;
        for (const char* name : {"txtYear1", "txtMonth1", "txtYear2", "txtMonth2"})
            s.findChild<TextField*>(name)->setText(values[i++]);
    }

    QTemporaryDir out;
    int previews = 0;
};

} // namespace

TEST_F(LedgerScreenTest, TheMenuOpensBothLedgersUnderItsNames)
{
    ScreenRegistry registry;
    registerReportsScreens(registry);
    for (auto [key, name] : {std::pair{"PrtTukiDaityo", "prtGetuDaityo"}, {"PrtKojinDaityo", "prtKojinDaityo"}}) {
        std::unique_ptr<QWidget> screen(registry.create(key, dir.ctx()));
        ASSERT_TRUE(screen) << key;
        EXPECT_EQ(screen->objectName(), QString(name));
    }
}

TEST_F(LedgerScreenTest, MonthlyLedgerRefusesBadSpansAndPrintsAGoodOneToPdf)
{
    PrtGetuDaityo screen(dir.ctx());
    const QString pdf = out.filePath(QStringLiteral("monthly.pdf"));
    screen.printHooks() = hooks(pdf);
    struct Case {
        QStringList fields;
        const char* message;
    } const refused[] = {
        {{"", "11", "", ""}, "開始年を入力した後、印刷ボタンを押して下さい。"},
        {{"2026", "", "", ""}, "開始月を入力した後、印刷ボタンを押して下さい。"},
        {{"2026", "12", "2026", "11"}, "開始・終了期間が間違いました。再入力して下さい。"},
        {{"2025", "01", "2025", "12"}, "印刷可能なデータを決めた後、印刷ボタンを押して下さい。"},
    };
    for (const Case& c : refused) {
        setPeriod(screen, c.fields);
        screen.cmdPrint_Click();
        EXPECT_EQ(dir.messages().lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Exclamation);
    }
    EXPECT_EQ(previews, 0);
    EXPECT_FALSE(QFile::exists(pdf));

    setPeriod(screen, {"2026", "11", "2026", "12"});
    dir.messages().answerNext(Messages::Answer::No);   // do not open the file
    screen.cmdPrint_Click();
    EXPECT_EQ(screen.lastOutput(), pdf);
    EXPECT_EQ(QFile(pdf).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    const QString info = test::runTool(QStringLiteral("pdfinfo"), {pdf});
    if (!info.isNull()) {
        EXPECT_EQ(test::pdfPages(pdf), 3);
        EXPECT_TRUE(info.contains(QStringLiteral("1032 x 729"))) << info.toStdString();   // B4 landscape
    }
}

TEST_F(LedgerScreenTest, MonthlyDisplayListsTheMonthsAndExportsTheGrid)
{
    PrtGetuDaityo screen(dir.ctx());
    setPeriod(screen, {"2026", "11", "2026", "12"});
    DspGetuDaityo* display = screen.cmdDisp_Click();
    ASSERT_NE(display, nullptr);
    QStringList entries;
    for (int i = 0; i < display->list()->count(); ++i)
        entries << display->list()->itemText(i);
    EXPECT_EQ(entries, (QStringList{"2026年11月分給料台帳---給与", "2026年12月分給料台帳---給与",
                                    "2026年12月分給料台帳---賞与", "全データ一覧"}));
    LedgerGrid* grid = display->grid();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->cell(0, 0), QStringLiteral("佐藤 花子"));
    EXPECT_EQ(grid->cell(0, 1), QStringLiteral("20日"));
    EXPECT_EQ(grid->cell(0, 2), QStringLiteral("欠 2.5h"));
    EXPECT_EQ(grid->cell(0, 5), QStringLiteral("(14.0h)"));
    EXPECT_EQ(grid->cell(2, 0), QStringLiteral("合計"));
    EXPECT_EQ(grid->cell(2, 3), QStringLiteral("340,000"));
    display->list()->setCurrentIndex(3);
    EXPECT_EQ(grid->model()->rowCount(), 4 + 3 + 3 + 1);   // each month titled and subtotalled, then the whole

    const QString csv = out.filePath(QStringLiteral("all"));
    display->chooseCsvFile = [csv](const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("月別賃金台帳_202611-202612_20261206.csv")))
            << suggested.toStdString();
        return csv;
    };
    display->cmdCsv_Click();
    const QList<QStringList> rows = test::readCsv(csv + QStringLiteral(".csv"));
    ASSERT_EQ(rows.size(), 2 + grid->model()->rowCount());
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            ASSERT_EQ(rows[r + 2][c], grid->cell(r, c)) << r << "," << c;
    EXPECT_EQ(rows[0][4], QStringLiteral("給与の内訳"));
    EXPECT_EQ(rows[1][0], QStringLiteral("氏名"));
    EXPECT_EQ(QFile(csv + QStringLiteral(".csv")).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);

    // A folder that is gone: reported, nothing written.
    const QString lost = out.filePath(QStringLiteral("gone/x.csv"));
    EXPECT_FALSE(display->exportCsv(lost));
    EXPECT_FALSE(QFile::exists(lost));
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
    display->close();

    setPeriod(screen, {"2025", "01", "", ""});
    EXPECT_EQ(screen.cmdDisp_Click(), nullptr);
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("表示可能なデータを決めた後、表示ボタンを押して下さい。"));
}

TEST_F(LedgerScreenTest, IndividualLedgerChoosesPrintsAndShows)
{
    PrtKojinDaityo screen(dir.ctx());
    const QString pdf = out.filePath(QStringLiteral("kojin.pdf"));
    screen.printHooks() = hooks(pdf);
    EXPECT_EQ(screen.picker()->leftCount(), 3);   // 00002, 00003, 00004 have a statement in 2026
    screen.cmdPrint_Click();
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。"));
    EXPECT_EQ(screen.cmdDisp_Click(), nullptr);
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("表示可能なデータを決めた後、表示ボタンを押して下さい。"));

    screen.picker()->leftGrid()->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);
    screen.picker()->leftGrid()->setCurrentCell(1, 0, QItemSelectionModel::NoUpdate);
    screen.picker()->moveSelectedRight();
    ASSERT_EQ(screen.picker()->rightCount(), 2);
    dir.messages().answerNext(Messages::Answer::No);
    screen.cmdPrint_Click();
    EXPECT_EQ(screen.lastOutput(), pdf);
    if (const int pages = test::pdfPages(pdf); pages >= 0)
        EXPECT_EQ(pages, 2);

    DspKojinDaityo* display = screen.cmdDisp_Click();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->list()->count(), 3);
    EXPECT_EQ(display->findChild<QLabel*>("lblSyokumei")->text(), QStringLiteral("　職名：正社員"));
    LedgerGrid* grid = display->grid();
    ASSERT_EQ(grid->model()->rowCount(), 12 + 3);   // months, 小計, the bonus, 合計
    EXPECT_EQ(grid->cell(12, 0), QStringLiteral("小計"));
    EXPECT_EQ(grid->cell(13, 0), QStringLiteral("賞与 12月"));
    EXPECT_EQ(grid->cell(14, 3), QStringLiteral("300,000"));
    display->close();

    screen.findChild<TextField*>("txtYear")->setText(QStringLiteral("2025"));
    emit screen.findChild<TextField*>("txtYear")->editingFinished();
    EXPECT_EQ(screen.picker()->leftCount(), 0);
    EXPECT_EQ(screen.picker()->rightCount(), 0);
}

TEST_F(LedgerScreenTest, CommandLineWritesBothLedgers)
{
    auto cli = [](const QStringList& args) { return test::runCli(QStringLiteral(MINASEL_CLI), args).status; };
    const QString data = dir.path();
    const QString csv = out.filePath(QStringLiteral("m.csv"));
    const QString pdf = out.filePath(QStringLiteral("k.pdf"));
    const QStringList base{"--data-dir", data, "--company", "01"};
    EXPECT_EQ(cli(QStringList{"ledger", "monthly"} + base + QStringList{"--from", "202611", "--to", "202612", "--csv", csv}), 0);
    EXPECT_EQ(test::readCsv(csv).size(), 2 + 11);
    EXPECT_EQ(cli(QStringList{"ledger", "individual"} + base + QStringList{"--year", "2026", "--employees", "2", "--pdf", pdf}), 0);   // "2" is 00002
    EXPECT_TRUE(QFile::exists(pdf));
    struct Bad {
        QStringList args;
        int status;
    } const bad[] = {
        {{"--from", "202612", "--to", "202611", "--csv", csv + "2"}, 1},   // reversed
        {{"--from", "202501", "--csv", csv + "2"}, 1},                     // no statements
        {{"--from", "202613", "--csv", csv + "2"}, 2},
        {{"--from", "202611", "--csv", csv + "2", "--pdf", pdf + "2"}, 2},
    };
    for (const Bad& b : bad)
        EXPECT_EQ(cli(QStringList{"ledger", "monthly"} + base + b.args), b.status) << b.args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(csv + "2"));
    EXPECT_FALSE(QFile::exists(pdf + "2"));
}
