// Printing through real CUPS queues on the cups-pdf backend, served by a private
// cupsd (scripts/cups-test-env). Where no server can be started every test is
// skipped with the reason.
#include "app/textfield.h"
#include "ledgerfixture.h"
#include "payroll/payslipprintjob.h"
#include "reports/printercanvas.h"
#include "reports/printpaper.h"
#include "reports/prtgetudaityo.h"
#include "reports/setuseprinter.h"
#include "support/cli.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace minasel;
using reports::PrintJob;

namespace {

const QString kQueue = QStringLiteral("minasel-pdf");
const QString kNoB4 = QStringLiteral("minasel-nob4");
const QString kRefused = QStringLiteral("選択したプリンタは印刷しようとする帳票のサイズに合わないので、印刷することはできません。"
                                        "\n\nプリンタを切り替えて下さい。");

// The private server for the whole test program.
class CupsServer : public ::testing::Environment {
public:
    static inline QString dir;
    static inline QString unavailable;

    void SetUp() override
    {
        QTemporaryDir made(QDir::tempPath() + QStringLiteral("/minasel-cups.XXXXXX"));
        made.setAutoRemove(false);   // stop removes it
        dir = made.path();
        QProcess p;
        p.start(QStringLiteral(MINASEL_CUPS_ENV), {QStringLiteral("start"), dir, QString::number(QCoreApplication::applicationPid())});
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            unavailable = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
            if (unavailable.isEmpty())
                unavailable = p.errorString();
            stop();
            return;
        }
        qputenv("CUPS_SERVER", QDir(dir).filePath(QStringLiteral("cups.sock")).toLocal8Bit());
    }
    void TearDown() override { stop(); }

    static QString out() { return QDir(dir).filePath(QStringLiteral("out")); }

private:
    static void stop()
    {
        if (dir.isEmpty())
            return;
        QProcess::execute(QStringLiteral(MINASEL_CUPS_ENV), {QStringLiteral("stop"), dir});
        QDir(dir).removeRecursively();
    }
};

const auto* const kServer = ::testing::AddGlobalTestEnvironment(new CupsServer);

// Runs an lp* command against the private server: its exit code and output.
int cupsCommand(const QString& program, const QStringList& args, QString* output = nullptr)
{
    const test::CliRun r = test::runCli(program, args, 30000);
    if (output)
        *output = r.out;
    return r.status;
}

class CupsTest : public test::LedgerFixture {
protected:
    void SetUp() override
    {
        if (!CupsServer::unavailable.isEmpty())
            GTEST_SKIP() << "CUPS not available: " << CupsServer::unavailable.toStdString();
        for (const QString& f : QDir(CupsServer::out()).entryList(QDir::Files))
            QFile::remove(QDir(CupsServer::out()).filePath(f));
        statement("202611", 2, 1, {{"KIHONKYU", "240000"}, {"HEALTH", "11890"}});
    }

    // The PDF files cups-pdf wrote once every job has left the queue.
    static QStringList printedFiles()
    {
        QDeadlineTimer deadline(60000);
        QString pending;
        while (cupsCommand(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &pending) == 0
               && !pending.trimmed().isEmpty() && !deadline.hasExpired())
            QThread::msleep(100);
        QStringList files;
        for (const QString& f : QDir(CupsServer::out()).entryList({QStringLiteral("*.pdf")}, QDir::Files))
            files << QDir(CupsServer::out()).filePath(f);
        return files;
    }

    // The one sheet printed: its size in points as pdfinfo gives it, its text,
    // and the box of the first word starting with `word` (page coordinates).
    struct Sheet {
        QString size;
        QString text;
        QRectF word;
    };
    static Sheet printedSheet(const QString& word)
    {
        const QStringList files = printedFiles();
        EXPECT_EQ(files.size(), 1);
        if (files.size() != 1)
            return {};
        Sheet sheet;
        const QString info = test::runTool(QStringLiteral("pdfinfo"), {files[0]});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
        sheet.size = QRegularExpression(QStringLiteral("Page size:\\s+(.*) pts")).match(info).captured(1);
        sheet.text = test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), files[0], QStringLiteral("-")});
        const QString bbox = test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), files[0], QStringLiteral("-")});
        const auto m = QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                         "yMax=\"([\\d.]+)\">") + word).match(bbox);
        if (m.hasMatch())
            sheet.word = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        return sheet;
    }

    static PrintJob::Hooks noDialogs()
    {
        PrintJob::Hooks h;
        h.preview = [](QPrinter&, const std::function<void(QPrinter*)>&) { return true; };
        h.choosePdfFile = [](const QString&) { return QString(); };   // never a PDF file here
        return h;
    }
};

} // namespace

TEST_F(CupsTest, PaperCheckFollowsTheDriversPaperList)
{
    for (const QString& queue : {kQueue, kNoB4}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue);
        ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        for (int code : {reports::PaperA4, reports::PaperB4, reports::PaperB5}) {
            dir.messages().clear();
            reports::PrinterCanvas canvas(&printer);
            const bool ok = reports::setPrintPaper(dir.ctx(), canvas, QStringLiteral("ＭＳ 明朝"), 10, code, 2, 0, 0);
            const bool expected = !(queue == kNoB4 && code == reports::PaperB4);
            EXPECT_EQ(ok, expected) << queue.toStdString() << " " << code;
            EXPECT_EQ(dir.messages().empty() ? QString() : dir.messages().lastText(), expected ? QString() : kRefused);
        }
        reports::PrinterCanvas canvas(&printer);
        EXPECT_EQ(reports::chooseLedgerPaper(canvas), queue == kQueue ? reports::PaperB4 : reports::PaperA4);
    }
}

// The sheets are the driver's sizes (JIS B5 518 x 727 pt, JIS B4 727 x 1029,
// A4 595 x 842); a landscape form is turned a quarter on its sheet, so its
// lines run up the sheet and the form's point (x, y) lands at (y, height - x).
TEST_F(CupsTest, PayslipArrivesAsJisB5LandscapeWithItsText)
{
    dir.ctx().printerName = kQueue;
    payroll::PayslipPrintJob job(dir.ctx(), nullptr, noDialogs());
    ASSERT_EQ(job.printBatch("202611", 1, {{"00002", QStringLiteral("佐藤 花子")}}), PrintJob::Result::Printed)
        << dir.messages().lastText().toStdString();
    const Sheet sheet = printedSheet(QStringLiteral("ミナセル商事"));
    EXPECT_EQ(sheet.size, QStringLiteral("518 x 727"));
    for (const char* s : {"給 与 明 細 書", "佐藤 花子", "240,000", "228,110", "差 引 支 給 額"})
        EXPECT_TRUE(sheet.text.contains(QString::fromUtf8(s))) << s << "\n" << sheet.text.toStdString();
    // The company name stands at (6,600, 6,793) twips of the form: (330, 339.65) pt.
    EXPECT_NEAR(sheet.word.left(), 339.65, 3.0);
    EXPECT_NEAR(sheet.word.bottom(), 727 - 330, 3.0);
    EXPECT_GT(sheet.word.height(), 10 * sheet.word.width());
}

TEST_F(CupsTest, MonthlyLedgerArrivesOnB4WhereTheQueueHasItElseOnA4)
{
    for (auto [queue, size] : {std::pair{kQueue, "727 x 1029"}, {kNoB4, "595 x 842"}}) {
        dir.ctx().printerName = queue;
        reports::PrtGetuDaityo screen(dir.ctx());
        screen.printHooks() = noDialogs();
        screen.findChild<TextField*>("txtYear1")->setText(QStringLiteral("2026"));
        screen.findChild<TextField*>("txtMonth1")->setText(QStringLiteral("11"));
        screen.cmdPrint_Click();
        EXPECT_EQ(screen.lastOutput(), queue);
        const Sheet sheet = printedSheet(QStringLiteral("佐藤"));
        EXPECT_EQ(sheet.size, QString::fromUtf8(size)) << queue.toStdString();
        for (const char* s : {"月 分 給 料 台 帳", "佐藤 花子", "240,000", "228,110"})
            EXPECT_TRUE(sheet.text.contains(QString::fromUtf8(s))) << s << "\n" << sheet.text.toStdString();
        EXPECT_GT(sheet.word.height(), 2 * sheet.word.width());   // landscape
        for (const QString& f : printedFiles())
            QFile::remove(f);
    }
}

// The list shows the queues beside the PDF output. Between the choice and the
// print a queue goes: the choice fails while the screen is open, and a print to
// the printer already chosen is refused rather than sent to another one.
TEST_F(CupsTest, PrinterListAndAQueueRemovedAfterTheChoice)
{
    const QString gone = QStringLiteral("minasel-gone");
    QString device;   // the others' output folder, where a stray print would show
    cupsCommand(QStringLiteral("lpstat"), {QStringLiteral("-v"), kQueue}, &device);
    ASSERT_EQ(cupsCommand(QStringLiteral("lpadmin"), {QStringLiteral("-p"), gone, QStringLiteral("-E"), QStringLiteral("-v"),
                                                      device.section(QStringLiteral(": "), 1).trimmed(), QStringLiteral("-P"),
                                                      QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")}), 0);
    auto choose = [&](bool removeFirst) {
        auto* screen = new reports::SetUsePrinter(dir.ctx());
        QStringList names;
        for (int i = 0; i < screen->printerList()->count(); ++i)
            names << screen->printerList()->itemText(i);
        EXPECT_EQ(names, (QStringList{kQueue, kNoB4, gone, AppContext::pdfPrinterName()}));
        screen->printerList()->setCurrentIndex(2);
        if (removeFirst)
            EXPECT_EQ(cupsCommand(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone}), 0);
        screen->findChild<QPushButton*>("cmdSetPrinter")->click();
    };
    choose(false);
    ASSERT_EQ(dir.ctx().printerName, gone);
    choose(true);
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("通常使うプリンターの変更処理に失敗しました。"));
    EXPECT_EQ(dir.ctx().printerName, gone);

    payroll::PayslipPrintJob job(dir.ctx(), nullptr, noDialogs());
    EXPECT_EQ(job.printBatch("202611", 1, {{"00002", QStringLiteral("佐藤 花子")}}), PrintJob::Result::Refused);
    EXPECT_EQ(dir.messages().lastText(), kRefused);
    EXPECT_TRUE(printedFiles().isEmpty());
}
