#pragma once
#include "reports/ledgertable.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

namespace minasel::reports {

// A ledger table as the grid shows it: figures right-aligned, titles, subtotals
// and totals set off.
class LedgerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(LedgerTable table);
    const LedgerTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    LedgerTable m_table;
};

// The grid's heading in two rows: a group's title over all its columns, and a
// column without a group headed over both rows.
class LedgerHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit LedgerHeaderView(QWidget* parent = nullptr);
    void setHeadings(const QStringList& groups, const QStringList& headings);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    QStringList m_groups;
    QStringList m_headings;
};

// The display grid of the ledgers.
class LedgerGrid : public QTableView {
    Q_OBJECT
public:
    explicit LedgerGrid(QWidget* parent = nullptr);

    void setTable(LedgerTable table);
    const LedgerTable& table() const { return m_model->table(); }
    // The text of a cell as shown (row 0 is the first row under the heading).
    QString cell(int row, int column) const;

private:
    LedgerTableModel* m_model;
    LedgerHeaderView* m_header;
};

} // namespace minasel::reports
