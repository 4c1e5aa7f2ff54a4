#pragma once
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace minasel::bench {

// The floor a form's drawing is measured against: the texts, lines, font
// changes and pages a recording canvas saw, drawn straight with QPainter into a
// QPdfWriter under the same twips transform, with no data, layout or formatting.
class RecordedFloor {
public:
    explicit RecordedFloor(const QStringList& calls);

    void drawPdf(const QString& path, const QPageSize& size, QPageLayout::Orientation orientation) const;
    int texts() const { return m_texts; }
    int lines() const { return m_lines; }

private:
    struct Item {
        enum Kind { Text, Line, Font, Page } kind;
        int a, b, c, d;
        QString text;
    };
    std::vector<Item> m_items;
    int m_texts = 0;
    int m_lines = 0;
};

} // namespace minasel::bench
