#pragma once
#include "reports/paintercanvas.h"

class QPrinter;

namespace minasel::reports {

// A canvas over a QPrinter: an installed printer, a PDF printer or a preview.
// A printer refuses paper its driver does not list; PDF output takes any.
class PrinterCanvas : public PainterCanvas {
public:
    explicit PrinterCanvas(QPrinter* printer);

    void abortDocument() override;
    bool acceptsAnyPaper() const override;
    QList<int> paperCodes() const override;

protected:
    bool supportsPageSize(const QPageSize& size) const override;
    QPageLayout::Mode layoutMode() const override { return QPageLayout::FullPageMode; }

private:
    QPrinter* m_printer;
};

} // namespace minasel::reports
