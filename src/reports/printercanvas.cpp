#include "reports/printercanvas.h"

#include "reports/pdfcanvas.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace minasel::reports {

namespace {
QString nameOf(QPrinter* printer)
{
    return printer->outputFormat() == QPrinter::PdfFormat ? pdfDeviceName() : printer->printerName();
}
}

PrinterCanvas::PrinterCanvas(QPrinter* printer) : PainterCanvas(printer, nameOf(printer)), m_printer(printer)
{
    // Coordinates from the corner of the paper, as the forms are measured.
    m_printer->setFullPage(true);
}

void PrinterCanvas::abortDocument()
{
    if (isPainting())
        m_printer->abort();
    PainterCanvas::abortDocument();
}

bool PrinterCanvas::acceptsAnyPaper() const
{
    return m_printer->outputFormat() == QPrinter::PdfFormat;
}

bool PrinterCanvas::supportsPageSize(const QPageSize& size) const
{
    if (!size.isValid())
        return false;
    if (acceptsAnyPaper())
        return true;
    const QPrinterInfo info(*m_printer);
    if (info.isNull())
        return true;   // a preview of no particular printer
    if (size.id() == QPageSize::Custom)
        return info.supportsCustomPageSizes();
    const QList<QPageSize> sizes = info.supportedPageSizes();
    if (sizes.isEmpty())
        return true;   // the driver does not say: let it try
    for (const QPageSize& s : sizes)
        if (s.id() == size.id() || s.isEquivalentTo(size))
            return true;
    return false;
}

QList<int> PrinterCanvas::paperCodes() const
{
    QList<int> codes;
    for (int code : knownPaperCodes())
        if (code != PaperUser && supportsPageSize(pageSizeForCode(code)))
            codes << code;
    return codes;
}

} // namespace minasel::reports
