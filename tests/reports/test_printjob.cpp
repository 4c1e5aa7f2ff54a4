#include "reports/printjob.h"
#include "reports/printpaper.h"
#include "reports/printcanvas.h"
#include "support/testdatadir.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace minasel;
using namespace minasel::reports;

namespace {

struct Steps {
    int previews = 0;
    int draws = 0;
    bool printFromPreview = true;
    QString file;
    QString suggested;
    QStringList opened;

    PrintJob::Hooks hooks()
    {
        PrintJob::Hooks h;
        h.installedPrinters = [] { return QStringList{}; };
        h.preview = [this](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
            ++previews;
            paint(&printer);   // the preview draws through the same code
            return printFromPreview;
        };
        h.choosePdfFile = [this](const QString& s) {
            suggested = s;
            return file;
        };
        h.openFile = [this](const QString& p) { opened << p; };
        return h;
    }
};

PrintJob::Paper b5()
{
    return {QStringLiteral("ＭＳ 明朝"), 10, 13, 2, 0, 0};
}

} // namespace

TEST(PrintJobTest, WithoutPrintersThePreviewLeadsToAPdfTheUserMayOpen)
{
    test::TestDataDir dir(false);
    QTemporaryDir out;
    Steps steps;
    steps.file = out.filePath(QStringLiteral("slip"));   // the suffix is added
    PrintJob job(dir.ctx(), nullptr, QStringLiteral("Test.print"), steps.hooks());
    dir.messages().answerNext(Messages::Answer::Yes);
    const auto result = job.run(QStringLiteral("給与明細書"), QStringLiteral("給与明細書"), b5(), [&](PrintCanvas& c) {
        ++steps.draws;
        if (!setPrintPaper(dir.ctx(), c, QStringLiteral("ＭＳ 明朝"), 10, 13, 2, 0, 0))
            return false;
        PrintAt(c, 1000, 1000, QStringLiteral("給与"));
        return c.endDocument();
    });
    EXPECT_EQ(result, PrintJob::Result::Printed);
    EXPECT_EQ(steps.previews, 1);
    EXPECT_EQ(steps.draws, 2);   // preview and file
    EXPECT_TRUE(job.toPdf());
    EXPECT_EQ(job.output(), steps.file + QStringLiteral(".pdf"));
    EXPECT_TRUE(QFile::exists(job.output()));
    EXPECT_TRUE(steps.suggested.endsWith(QStringLiteral("給与明細書_20261206.pdf"))) << steps.suggested.toStdString();
    EXPECT_EQ(steps.opened, QStringList{job.output()});
    EXPECT_EQ(dir.messages().last().icon, Messages::Icon::Question);
}

TEST(PrintJobTest, ClosingThePreviewOrTheFileDialogWritesNothing)
{
    test::TestDataDir dir(false);
    QTemporaryDir out;
    for (int variant = 0; variant < 2; ++variant) {
        Steps steps;
        steps.printFromPreview = variant == 1;
        steps.file = variant == 1 ? QString() : out.filePath(QStringLiteral("x.pdf"));
        PrintJob job(dir.ctx(), nullptr, QStringLiteral("Test.print"), steps.hooks());
        const auto result = job.run(QStringLiteral("t"), QStringLiteral("t"), b5(), [&](PrintCanvas& c) {
            ++steps.draws;
            PrintAt(c, 100, 100, QStringLiteral("x"));
            return c.endDocument();
        });
        EXPECT_EQ(result, PrintJob::Result::Cancelled);
        EXPECT_EQ(steps.draws, 1);
        EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
        EXPECT_TRUE(steps.opened.isEmpty());
    }
}

TEST(PrintJobTest, UnwritableFileIsLoggedAsAFailure)
{
    test::TestDataDir dir;
    Steps steps;
    steps.file = QStringLiteral("/nonexistent-folder/x.pdf");
    PrintJob job(dir.ctx(), nullptr, QStringLiteral("Test.print"), steps.hooks());
    const auto result = job.run(QStringLiteral("t"), QStringLiteral("t"), b5(), [&](PrintCanvas& c) {
        return c.endDocument();
    });
    EXPECT_EQ(result, PrintJob::Result::Failed);
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("エラーが発生しました。ログファイルを確認してください。"));
}

TEST(PrintJobTest, TargetIsTheChosenPrinterElseTheDefault)
{
    const QString pdf = AppContext::pdfPrinterName();
    EXPECT_EQ(PrintJob::targetPrinter(pdf, {"P1"}), pdf);
    EXPECT_EQ(PrintJob::targetPrinter(QStringLiteral("P2"), {"P1", "P2"}), QStringLiteral("P2"));
    EXPECT_EQ(PrintJob::targetPrinter(QString(), {}), pdf);
    EXPECT_EQ(PrintJob::targetPrinter(QStringLiteral("Gone"), {"P1"}), QStringLiteral("Gone"));
}
