#include "reports/paintercanvas.h"

#include "reports/fonts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace minasel::reports {

namespace {
// Thin enough to read as a rule, thick enough that a 600 dpi printer shows it.
constexpr double kLineWidthTwips = 12.0;
}

PainterCanvas::PainterCanvas(QPagedPaintDevice* device, QString deviceName)
    : m_device(device), m_deviceName(std::move(deviceName))
{
    installFontSubstitutions();
    setFont(minchoFont(), 10);
}

PainterCanvas::~PainterCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PainterCanvas::supportsPageSize(const QPageSize& size) const
{
    return size.isValid();
}

QList<int> PainterCanvas::paperCodes() const
{
    QList<int> codes;
    for (int code : knownPaperCodes())
        if (code != PaperUser && supportsPageSize(pageSizeForCode(code)))
            codes << code;
    return codes;
}

bool PainterCanvas::applyLayout()
{
    if (!m_device)
        return false;
    QPageLayout layout(m_pageSize, m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(layoutMode());
    // While painting, the device takes the new layout from the next page on.
    return m_device->setPageLayout(layout);
}

bool PainterCanvas::setPaperSize(int paperCode)
{
    const QPageSize size = pageSizeForCode(paperCode, 0, 0);
    if (paperCode == PaperUser)
        return true;   // the size itself comes with setCustomSize
    if (!size.isValid() || !supportsPageSize(size))
        return false;
    m_pageSize = size;
    return applyLayout();
}

bool PainterCanvas::setOrientation(int orientation)
{
    if (orientation != Portrait && orientation != Landscape)
        return false;
    m_orientation = orientation == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    return applyLayout();
}

bool PainterCanvas::setCustomSize(int heightTwips, int widthTwips)
{
    const QPageSize size = pageSizeForCode(PaperUser, heightTwips, widthTwips);
    if (!size.isValid() || !supportsPageSize(size))
        return false;
    m_pageSize = size;
    return applyLayout();
}

bool PainterCanvas::ensurePainting()
{
    if (m_painter.isActive())
        return true;
    if (m_failed || !m_device)
        return false;
    if (!m_painter.begin(m_device)) {
        m_failed = true;
        if (m_error.isEmpty())
            m_error = QStringLiteral("印刷を開始できません。");
        return false;
    }
    m_pages = 1;
    const double scale = m_device->logicalDpiX() / 1440.0;
    m_painter.scale(scale, m_device->logicalDpiY() / 1440.0);
    m_painter.setPen(QPen(Qt::black, kLineWidthTwips, Qt::SolidLine, Qt::SquareCap));
    m_painter.setFont(m_font);
    return true;
}

void PainterCanvas::setFont(const QString& family, int points)
{
    QFont font(family);
    // Pixel size in twips: with the twips transform a point size would be scaled twice.
    font.setPixelSize(std::max(1, points) * 20);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    m_font = font;
    m_ascent = QFontMetricsF(m_font).ascent();
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

void PainterCanvas::printAt(int x, int y, const QString& text)
{
    // Blank fields (zero amounts) leave nothing on paper; the page still starts.
    if (!ensurePainting() || text.trimmed().isEmpty())
        return;
    m_painter.drawText(QPointF(x, y + m_ascent), text);
}

void PainterCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    if (!ensurePainting())
        return;
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterCanvas::newPage()
{
    if (!ensurePainting())
        return;
    if (!m_device->newPage()) {
        m_failed = true;
        m_error = QStringLiteral("改ページできません。");
        return;
    }
    ++m_pages;
}

bool PainterCanvas::endDocument()
{
    if (!ensurePainting())
        return false;
    const bool ended = m_painter.end();
    if (!ended && m_error.isEmpty())
        m_error = QStringLiteral("印刷を終了できません。");
    return ended && !m_failed;
}

void PainterCanvas::abortDocument()
{
    m_failed = true;
    if (m_painter.isActive())
        m_painter.end();
}

} // namespace minasel::reports
