#include "reports/formpen.h"

#include "app/valuehelpers.h"
#include "reports/fonts.h"
#include "reports/printcanvas.h"
#include "reports/textfit.h"

#include <cmath>

namespace minasel::reports {

int FormPen::scaled(int v) const
{
    return int(std::lround(v * m_scale));
}

int FormPen::points(int p) const
{
    return std::max(1, int(std::floor(p * m_scale + 1e-9)));
}

void FormPen::font(int devicePoints)
{
    if (devicePoints != m_size) {
        SetPrintFont(m_canvas, minchoFont(), devicePoints);
        m_size = devicePoints;
    }
}

void FormPen::place(int deviceX, int y, const QString& s, int devicePoints)
{
    // Blank boxes (zero amounts) leave nothing on paper.
    if (s.trimmed().isEmpty())
        return;
    font(devicePoints);
    PrintAt(m_canvas, deviceX, scaled(y), s);
}

void FormPen::text(int x, int y, const QString& s, int pts)
{
    place(scaled(x), y, s, points(pts));
}

void FormPen::centred(int left, int right, int y, const QString& s, int pts)
{
    const int size = points(pts);
    place((scaled(left) + scaled(right) - textWidth(s, size)) / 2, y, s, size);
}

void FormPen::fitted(int x, int y, const QString& s, int pts, int room)
{
    const FittedText t = fitText(s, points(pts), scaled(room), kSmallestPoints);
    place(scaled(x), y, t.text, t.points);
}

void FormPen::number(int right, int y, double value, const QString& format, int pts, int room)
{
    const QString plain = formatNumber(value, format);
    if (plain.isEmpty())
        return;
    const int space = scaled(room);
    int size = points(pts);
    while (size > kSmallestPoints && textWidth(plain, size) > space)
        --size;
    const int fits = space / (size * 10);   // half-width places in the box
    const QString t = plain.size() <= fits ? FormatRight(value, format, fits) : plain;
    place(scaled(right) - textWidth(t, size), y, t, size);
}

void FormPen::line(int x1, int y1, int x2, int y2)
{
    m_canvas.drawLine(scaled(x1), scaled(y1), scaled(x2), scaled(y2));
}

void FormPen::resetFont(int pts)
{
    SetPrintFont(m_canvas, minchoFont(), pts);
    m_size = pts;
}

} // namespace minasel::reports
