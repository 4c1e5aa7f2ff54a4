#include "reports/ledgerprintjob.h"

#include "app/appcontext.h"
#include "reports/fonts.h"
#include "reports/printercanvas.h"
#include "reports/printpaper.h"
#include "reports/waitframe.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace minasel::reports {

LedgerPrintJob::LedgerPrintJob(AppContext& ctx, QWidget* parent, QString procedure, PrintJob::Hooks hooks)
    : m_ctx(ctx), m_parent(parent), m_procedure(std::move(procedure)), m_hooks(std::move(hooks))
{
}

int LedgerPrintJob::paperFor(const QString& printer)
{
    QPrinter device(QPrinter::HighResolution);
    if (printer == AppContext::pdfPrinterName())
        device.setOutputFormat(QPrinter::PdfFormat);
    else
        device.setPrinterName(printer);
    return chooseLedgerPaper(PrinterCanvas(&device));
}

void LedgerPrintJob::showWhileDrawing(WaitFrame* frame, const QString& text)
{
    m_wait = frame;
    m_waitText = text;
}

PrintJob::Result LedgerPrintJob::run(const QString& title, const QString& fileBase, const DrawFn& draw)
{
    const QStringList installed =
        m_hooks.installedPrinters ? m_hooks.installedPrinters() : QPrinterInfo::availablePrinterNames();
    m_paper = paperFor(PrintJob::targetPrinter(m_ctx.printerName, installed));
    const PrintJob::Paper paper{minchoFont(), LedgerForm::kPageFontPoints, m_paper, LedgerForm::kOrientation, 0, 0};
    PrintJob job(m_ctx, m_parent, m_procedure, m_hooks);
    if (m_parent)
        m_parent->setEnabled(false);
    const auto result = job.run(title, fileBase, paper, [&](PrintCanvas& canvas) {
        if (m_wait)
            m_wait->start(m_waitText);
        const LedgerOutcome outcome = draw(canvas, m_paper, [this](int done, int total) {
            if (m_wait)
                m_wait->progress(done, total);
        });
        if (m_wait)
            m_wait->hide();
        return outcome == LedgerOutcome::Printed;
    });
    if (m_parent)
        m_parent->setEnabled(true);
    m_output = job.output();
    return result;
}

} // namespace minasel::reports
