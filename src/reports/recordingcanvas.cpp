#include "reports/recordingcanvas.h"

namespace minasel::reports {

bool RecordingCanvas::setPaperSize(int paperCode)
{
    const bool ok = !m_refused.contains(paperCode);
    m_calls << QStringLiteral("paper %1%2").arg(paperCode).arg(ok ? QString() : QStringLiteral(" refused"));
    return ok;
}

bool RecordingCanvas::setOrientation(int orientation)
{
    const bool ok = !m_refuseOrientation;
    m_calls << QStringLiteral("orientation %1%2").arg(orientation).arg(ok ? QString() : QStringLiteral(" refused"));
    return ok;
}

bool RecordingCanvas::setCustomSize(int heightTwips, int widthTwips)
{
    const bool ok = !m_refused.contains(PaperUser);
    m_calls << QStringLiteral("custom %1x%2%3").arg(heightTwips).arg(widthTwips).arg(ok ? QString() : QStringLiteral(" refused"));
    return ok;
}

void RecordingCanvas::setFont(const QString& family, int points)
{
    m_font = family;
    m_size = points;
    m_calls << QStringLiteral("font %1 %2").arg(family).arg(points);
}

void RecordingCanvas::printAt(int x, int y, const QString& text)
{
    m_texts.append({x, y, text, m_font, m_size, m_page});
    m_calls << QStringLiteral("text %1,%2 [%3]").arg(x).arg(y).arg(text);
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    ++m_lines;
    m_calls << QStringLiteral("line %1,%2 %3,%4").arg(x1).arg(y1).arg(x2).arg(y2);
}

void RecordingCanvas::newPage()
{
    ++m_page;
    m_calls << QStringLiteral("page");
}

bool RecordingCanvas::endDocument()
{
    m_calls << QStringLiteral("end");
    m_ended = !m_failEnd;
    return !m_failEnd;
}

void RecordingCanvas::abortDocument()
{
    m_aborted = true;
    m_calls << QStringLiteral("abort");
}

QStringList RecordingCanvas::textsAt(int x, int y) const
{
    QStringList found;
    for (const Text& t : m_texts)
        if (t.x == x && t.y == y)
            found << t.text;
    return found;
}

const RecordingCanvas::Text* RecordingCanvas::find(const QString& text) const
{
    for (const Text& t : m_texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

} // namespace minasel::reports
