// Printing through real CUPS queues on the cups-pdf backend, served by a private
// cupsd (scripts/cups-test-env). Where no server can be started every test is
// skipped with the reason.
#include "payroll/payslipfixture.h"
#include "payroll/payslipprintjob.h"
#include "reports/printercanvas.h"
#include "reports/printpaper.h"
#include "reports/setuseprinter.h"
#include "support/testdatadir.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

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
        char name[] = "/tmp/minasel-cups.XXXXXX";
        if (!mkdtemp(name)) {
            unavailable = QStringLiteral("no temporary folder");
            return;
        }
        dir = QString::fromLocal8Bit(name);
        QProcess p;
        p.start(QStringLiteral(MINASEL_CUPS_ENV), {QStringLiteral("start"), dir, QString::number(getpid())});
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
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        p.kill();
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class CupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CupsServer::unavailable.isEmpty())
            GTEST_SKIP() << "CUPS not available: " << CupsServer::unavailable.toStdString();
        for (const QString& f : QDir(CupsServer::out()).entryList(QDir::Files))
            QFile::remove(QDir(CupsServer::out()).filePath(f));
    }

    // The PDF files cups-pdf wrote once every job has left the queue.
    static QStringList printedFiles()
    {
        QDeadlineTimer deadline(60000);
        QString pending = QStringLiteral("?");
        while (!pending.isEmpty() && !deadline.hasExpired()) {
            cupsCommand(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &pending);
            if (!pending.trimmed().isEmpty())
                QThread::msleep(100);
            pending = pending.trimmed();
        }
        QStringList files;
        for (const QString& f : QDir(CupsServer::out()).entryList({QStringLiteral("*.pdf")}, QDir::Files))
            files << QDir(CupsServer::out()).filePath(f);
        return files;
    }

    static PrintJob::Hooks noDialogs()
    {
        PrintJob::Hooks h;
        h.preview = [](QPrinter&, const std::function<void(QPrinter*)>&) { return true; };
        h.choosePdfFile = [](const QString&) { return QString(); };   // never a PDF file here
        return h;
    }

    test::TestDataDir dir;
};

} // namespace

TEST_F(CupsTest, PrinterListShowsTheQueuesBesideThePdfOutput)
{
    auto* screen = new reports::SetUsePrinter(dir.ctx());
    QStringList names;
    for (int i = 0; i < screen->printerList()->count(); ++i)
        names << screen->printerList()->itemText(i);
    EXPECT_EQ(names, (QStringList{kQueue, kNoB4, AppContext::pdfPrinterName()}));
    screen->findChild<QPushButton*>("cmdSetPrinter")->click();
    EXPECT_EQ(dir.ctx().printerName, kQueue);
}

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

TEST_F(CupsTest, PayslipArrivesAsJisB5LandscapeWithItsText)
{
    ASSERT_TRUE(db::WriteMeisaiTable(dir.ctx(), test::meisaiRow("202611", "00002", 1, "1",
                                                                {{"KIHONKYU", "240000"}, {"HEALTH", "11890"}})));
    dir.ctx().printerName = kQueue;
    payroll::PayslipPrintJob job(dir.ctx(), nullptr, noDialogs());
    ASSERT_EQ(job.printOne("202611", "00002", 1), PrintJob::Result::Printed) << dir.messages().lastText().toStdString();
    const QStringList files = printedFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(QFile::permissions(files[0]) & 0x0077, 0);   // personal data: owner only

    // The sheet is the driver's JIS B5 (518 x 727 pt); landscape turns the form
    // a quarter on it, so a line of the form runs up the sheet and the form's
    // point (x, y) lands at (y, 727 - x).
    const QString info = test::runTool(QStringLiteral("pdfinfo"), {files[0]});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+518 x 727 pts")))) << info.toStdString();
    const QString text = test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), files[0], QStringLiteral("-")});
    for (const char* s : {"給 与 明 細 書", "佐藤 花子", "240,000", "228,110", "差 引 支 給 額"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    // The company name at form (6,600, 6,793) twips = (330, 339.65) pt.
    const QString bbox = test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), files[0], QStringLiteral("-")});
    const auto m = QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                     "yMax=\"([\\d.]+)\">ミナセル商事")).match(bbox);
    ASSERT_TRUE(m.hasMatch()) << bbox.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 339.65, 3.0);
    EXPECT_NEAR(m.captured(4).toDouble(), 727 - 330, 3.0);
    EXPECT_GT(m.captured(4).toDouble() - m.captured(2).toDouble(), 10 * (m.captured(3).toDouble() - m.captured(1).toDouble()));
}

// Between the choice and the print the queue goes: the choice fails while the
// screen is open, and a print to the printer already chosen is refused rather
// than sent to another one.
TEST_F(CupsTest, QueueRemovedAfterTheChoiceIsAFailure)
{
    const QString gone = QStringLiteral("minasel-gone");
    QString device;   // the output folder of the others, so a stray print would be seen
    cupsCommand(QStringLiteral("lpstat"), {QStringLiteral("-v"), kQueue}, &device);
    ASSERT_EQ(cupsCommand(QStringLiteral("lpadmin"), {QStringLiteral("-p"), gone, QStringLiteral("-E"), QStringLiteral("-v"),
                                                      device.section(QStringLiteral(": "), 1).trimmed(), QStringLiteral("-P"),
                                                      QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")}), 0);
    auto choose = [&](bool removeFirst) {
        auto* screen = new reports::SetUsePrinter(dir.ctx());
        screen->printerList()->setCurrentText(gone);
        EXPECT_EQ(screen->printerList()->currentText(), gone);
        if (removeFirst)
            EXPECT_EQ(cupsCommand(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone}), 0);
        screen->findChild<QPushButton*>("cmdSetPrinter")->click();
    };
    choose(false);
    ASSERT_EQ(dir.ctx().printerName, gone);
    choose(true);
    EXPECT_EQ(dir.messages().lastText(), QStringLiteral("通常使うプリンターの変更処理に失敗しました。"));
    EXPECT_EQ(dir.ctx().printerName, gone);

    ASSERT_TRUE(db::WriteMeisaiTable(dir.ctx(), test::meisaiRow("202611", "00002", 1, "1", {{"KIHONKYU", "240000"}})));
    payroll::PayslipPrintJob job(dir.ctx(), nullptr, noDialogs());
    EXPECT_EQ(job.printOne("202611", "00002", 1), PrintJob::Result::Refused);
    EXPECT_EQ(dir.messages().lastText(), kRefused);
    EXPECT_TRUE(printedFiles().isEmpty());
}
