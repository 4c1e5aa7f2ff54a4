#pragma once
#include "reports/printcanvas.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>

class QPagedPaintDevice;

namespace minasel::reports {

// A canvas over QPainter on any paged device (a PDF writer, a printer, a
// preview). The painter starts with the first drawing, so a document that is
// refused before anything is drawn leaves no trace on the device.
class PainterCanvas : public PrintCanvas {
public:
    PainterCanvas(QPagedPaintDevice* device, QString deviceName);
    ~PainterCanvas() override;

    bool setPaperSize(int paperCode) override;
    bool setOrientation(int orientation) override;
    bool setCustomSize(int heightTwips, int widthTwips) override;
    void setFont(const QString& family, int points) override;
    void printAt(int x, int y, const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;
    bool endDocument() override;
    void abortDocument() override;
    QString deviceName() const override { return m_deviceName; }
    QList<int> paperCodes() const override;

    bool isPainting() const { return m_painter.isActive(); }
    int pageCount() const { return m_pages; }
    // Why the last operation failed, for the log.
    QString errorString() const { return m_error; }

protected:
    void setDevice(QPagedPaintDevice* device) { m_device = device; }
    QPagedPaintDevice* device() const { return m_device; }
    void setErrorString(const QString& error) { m_error = error; }
    // Whether the device can take this paper (a printer asks its driver).
    virtual bool supportsPageSize(const QPageSize& size) const;
    virtual QPageLayout::Mode layoutMode() const { return QPageLayout::StandardMode; }

private:
    bool applyLayout();
    bool ensurePainting();

    QPagedPaintDevice* m_device;
    QString m_deviceName;
    QPainter m_painter;
    QPageSize m_pageSize{QPageSize::A4};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QFont m_font;
    double m_ascent = 0;
    bool m_failed = false;
    bool m_layoutPending = false;
    int m_pages = 0;
    QString m_error;
};

} // namespace minasel::reports
