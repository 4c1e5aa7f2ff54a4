#include "reports/printjob.h"

#include "app/appcontext.h"
#include "reports/pdfcanvas.h"
#include "reports/printercanvas.h"
#include "reports/printpaper.h"
#include "reports/printpreview.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QUrl>

namespace minasel::reports {

namespace {
constexpr int kFileError = 75;
}

PrintJob::PrintJob(AppContext& ctx, QWidget* parent, QString procedure, Hooks hooks)
    : m_ctx(ctx), m_parent(parent), m_procedure(std::move(procedure)), m_hooks(std::move(hooks))
{
    if (!m_hooks.installedPrinters)
        m_hooks.installedPrinters = [] { return QPrinterInfo::availablePrinterNames(); };
    if (!m_hooks.preview)
        m_hooks.preview = [this](QPrinter& printer, const std::function<void(QPrinter*)>& paint) {
            PrintPreview dialog(&printer, paint, m_title, m_parent);
            return dialog.exec() == QDialog::Accepted;
        };
    if (!m_hooks.choosePdfFile)
        m_hooks.choosePdfFile = [this](const QString& suggested) {
            return QFileDialog::getSaveFileName(m_parent, QStringLiteral("PDFファイルの保存先"), suggested,
                                                QStringLiteral("PDF ファイル (*.pdf)"));
        };
    if (!m_hooks.openFile)
        m_hooks.openFile = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
}

QString PrintJob::targetPrinter(const QString& chosen, const QStringList& installed)
{
    // The chosen printer stays the printer of the run even once removed: a
    // print to it is then refused, never sent to another printer unasked.
    if (!chosen.isEmpty())
        return chosen;
    if (installed.isEmpty())
        return AppContext::pdfPrinterName();
    const QString def = QPrinterInfo::defaultPrinterName();
    return installed.contains(def) ? def : installed.first();
}

QString PrintJob::suggestedPdfPath(const QString& fileBase, const QDate& date)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("%1_%2.pdf").arg(fileBase, date.toString(QStringLiteral("yyyyMMdd"))));
}

PrintJob::Result PrintJob::run(const QString& title, const QString& fileBase, const Paper& paper, const DrawFn& draw)
{
    m_title = title;
    const QStringList installed = m_hooks.installedPrinters();
    const QString target = targetPrinter(m_ctx.printerName, installed);
    m_pdf = target == AppContext::pdfPrinterName();
    m_output.clear();
    if (!m_pdf && !installed.contains(target)) {
        // A removed printer takes no paper; the forms carry personal data.
        m_ctx.messages().exclamation(paperRefusedMessage());
        return Result::Refused;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("ミナセル"));
    if (m_pdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setPrinterName(target);
        // The paper is checked before anything is shown or printed.
        PrinterCanvas check(&printer);
        if (!setPrintPaper(m_ctx, check, paper.font, paper.fontSize, paper.paperCode, paper.orientation,
                           paper.heightTwips, paper.widthTwips))
            return Result::Refused;
    }

    bool previewOk = true;
    const bool go = m_hooks.preview(printer, [&](QPrinter* p) {
        PrinterCanvas canvas(p);
        previewOk = draw(canvas) && previewOk;
    });
    if (!go)
        return Result::Cancelled;

    if (m_pdf) {
        QString path = m_hooks.choosePdfFile(suggestedPdfPath(fileBase, m_ctx.clock().today()));
        if (path.isEmpty())
            return Result::Cancelled;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
        PdfCanvas canvas(path, title);
        if (!canvas.open()) {
            m_ctx.reportError(kFileError, canvas.errorString(), m_procedure);
            return Result::Failed;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool ok = draw(canvas);
        QApplication::restoreOverrideCursor();
        if (!ok)
            return Result::Failed;
        m_output = path;
        const QString question = QStringLiteral("PDFファイルを作成しました。\n%1\n\nファイルを開きますか？")
                                     .arg(QDir::toNativeSeparators(path));
        if (m_ctx.messages().question(question, Messages::Buttons::YesNo, Messages::Answer::Yes) == Messages::Answer::Yes)
            m_hooks.openFile(path);
        return Result::Printed;
    }

    QPrinter device(QPrinterInfo::printerInfo(target), QPrinter::HighResolution);
    device.setDocName(title);
    device.setCreator(QStringLiteral("ミナセル"));
    PrinterCanvas canvas(&device);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = draw(canvas);
    QApplication::restoreOverrideCursor();
    if (!ok)
        return Result::Failed;
    m_output = target;
    return Result::Printed;
}

} // namespace minasel::reports
