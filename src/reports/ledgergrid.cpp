#include "reports/ledgergrid.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QScrollBar>

namespace minasel::reports {

void LedgerTableModel::setTable(LedgerTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int LedgerTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.rows.size());
}

int LedgerTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant LedgerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.rows.size())
        return {};
    const LedgerTable::Row& row = m_table.rows[index.row()];
    using Kind = LedgerTable::RowKind;
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < row.cells.size() ? row.cells[index.column()] : QString();
    case Qt::TextAlignmentRole:
        return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (row.kind == Kind::Total)
            return QColor(0xFF, 0xF0, 0xC8);
        if (row.kind == Kind::Subtotal)
            return QColor(0xFF, 0xF8, 0xE4);
        if (row.kind == Kind::Label)
            return QColor(0xE4, 0xEE, 0xFA);
        return {};
    case Qt::FontRole:
        if (row.kind != Kind::Line) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant LedgerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_table.columnCount())
        return m_table.headings[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

LedgerHeaderView::LedgerHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
}


void LedgerHeaderView::setHeadings(const QStringList& groups, const QStringList& headings)
{
    m_groups = groups;
    m_headings = headings;
    viewport()->update();
}

QSize LedgerHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.setHeight(fontMetrics().height() * 2 + 12);
    return size;
}

void LedgerHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (logicalIndex >= m_headings.size())
        return;
    painter->save();
    painter->setClipRect(rect);
    const QPalette& pal = palette();
    auto cell = [&](const QRect& r, const QString& text) {
        painter->fillRect(r, pal.button());
        painter->setPen(pal.mid().color());
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        painter->setPen(pal.buttonText().color());
        // A wide group's title stays in the part of it that is in view.
        const QRect shown = r.intersected(viewport()->rect());
        painter->drawText(shown.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextWordWrap, text);
    };
    const QString& group = m_groups.value(logicalIndex);
    const QString& heading = m_headings[logicalIndex];
    if (group == heading) {
        cell(rect, heading);
    } else {
        // The group's cell spans its columns; each section paints its own part of it.
        int first = logicalIndex;
        int last = logicalIndex;
        while (first > 0 && m_groups.value(first - 1) == group && m_groups[first - 1] != m_headings[first - 1])
            --first;
        while (last + 1 < m_groups.size() && m_groups[last + 1] == group && m_groups[last + 1] != m_headings[last + 1])
            ++last;
        const int left = sectionViewportPosition(first);
        const int right = sectionViewportPosition(last) + sectionSize(last);
        const int half = rect.height() / 2;
        cell(QRect(left, rect.top(), right - left, half), group);
        cell(QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), heading);
    }
    painter->restore();
}

LedgerGrid::LedgerGrid(QWidget* parent) : QTableView(parent)
{
    m_model = new LedgerTableModel(this);
    m_header = new LedgerHeaderView(this);
    setHorizontalHeader(m_header);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The group titles follow the view: what the header painted before may not be moved as it is.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_header->viewport(), qOverload<>(&QWidget::update));
}

void LedgerGrid::setTable(LedgerTable table)
{
    clearSpans();
    m_model->setTable(std::move(table));
    const LedgerTable& t = m_model->table();
    m_header->setHeadings(t.groups, t.headings);
    // Widths from the headings and the widest figure a column is likely to hold,
    // not from every cell: a year of a large company fills at once.
    const QFontMetrics fm = fontMetrics();
    const int figure = fm.horizontalAdvance(QStringLiteral("99,999,999")) + 12;
    for (int c = 0; c < t.columnCount(); ++c) {
        int width = std::max(figure, fm.horizontalAdvance(t.headings[c]) + 12);
        if (c == 0)
            width = fm.horizontalAdvance(QStringLiteral("賞与 12月　山田 太郎")) + 12;
        if (c == 2)
            width = fm.horizontalAdvance(QStringLiteral("出 999.99h 欠 99.99h")) + 12;
        setColumnWidth(c, width);
    }
    for (int r = 0; r < t.rows.size(); ++r)
        if (t.rows[r].kind == LedgerTable::RowKind::Label)
            setSpan(r, 0, 1, t.columnCount());
}

QString LedgerGrid::cell(int row, int column) const
{
    return m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
}

} // namespace minasel::reports
