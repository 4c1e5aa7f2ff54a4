#pragma once
#include <QList>
#include <QStyledItemDelegate>

namespace minasel::masters {

// Editors of the master grids: a code column (latin, upper case, no input
// method), a name column (Japanese input on) and an amount column (numbers only).
// Amounts are held as numbers and shown as "#,##0".
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class ColumnKind { Code, Name, Amount, Check };

    GridDelegate(const QList<ColumnKind>& kinds, QObject* parent = nullptr);

    ColumnKind kind(int column) const;
    static constexpr double kMaxAmount = 9999999;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    QString displayText(const QVariant& value, const QLocale& locale) const override;

private:
    QList<ColumnKind> m_kinds;
};

} // namespace minasel::masters
