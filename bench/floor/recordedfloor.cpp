#include "floor/recordedfloor.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

namespace minasel::bench {

RecordedFloor::RecordedFloor(const QStringList& calls)
{
    static const QRegularExpression separators(QStringLiteral("[ ,]"));
    for (const QString& call : calls) {
        if (call.startsWith(QLatin1String("text "))) {
            const int sp = int(call.indexOf(QLatin1Char(' '), 5));
            const QStringList xy = call.mid(5, sp - 5).split(QLatin1Char(','));
            m_items.push_back({Item::Text, xy[0].toInt(), xy[1].toInt(), 0, 0, call.mid(sp + 2, call.size() - sp - 3)});
            ++m_texts;
        } else if (call.startsWith(QLatin1String("line "))) {
            const QStringList p = call.mid(5).split(separators);
            m_items.push_back({Item::Line, p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt(), {}});
            ++m_lines;
        } else if (call.startsWith(QLatin1String("font "))) {
            m_items.push_back({Item::Font, call.section(QLatin1Char(' '), -1).toInt(), 0, 0, 0, {}});
        } else if (call == QLatin1String("page")) {
            m_items.push_back({Item::Page, 0, 0, 0, 0, {}});
        }
    }
}

void RecordedFloor::drawPdf(const QString& path, const QPageSize& size, QPageLayout::Orientation orientation) const
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(size, orientation, QMarginsF()));
    QPainter p(&writer);
    p.scale(1200.0 / 1440.0, 1200.0 / 1440.0);
    p.setPen(QPen(Qt::black, 12));
    QFont font(QStringLiteral("IPAMincho"));
    int ascent = 180;
    for (const Item& it : m_items) {
        switch (it.kind) {
        case Item::Text: p.drawText(QPointF(it.a, it.b + ascent), it.text); break;
        case Item::Line: p.drawLine(QPointF(it.a, it.b), QPointF(it.c, it.d)); break;
        case Item::Font:
            font.setPixelSize(it.a * 20);
            p.setFont(font);
            ascent = it.a * 18;
            break;
        case Item::Page: writer.newPage(); break;
        }
    }
    p.end();
}

} // namespace minasel::bench
