#include "masters/griddelegate.h"

#include "app/numberfield.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"

namespace minasel::masters {

GridDelegate::GridDelegate(const QList<ColumnKind>& kinds, QObject* parent) : QStyledItemDelegate(parent), m_kinds(kinds) {}

GridDelegate::ColumnKind GridDelegate::kind(int column) const
{
    return column >= 0 && column < m_kinds.size() ? m_kinds.at(column) : ColumnKind::Name;
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    switch (kind(index.column())) {
    case ColumnKind::Code: {
        auto* t = new TextField(parent, TextField::Kind::Code);
        t->setUpperCase(true);
        t->setMaxLength(5);
        return t;
    }
    case ColumnKind::Name: {
        auto* t = new TextField(parent, TextField::Kind::Japanese);
        t->setMaxLength(40);
        return t;
    }
    case ColumnKind::Amount: {
        auto* n = new NumberField(parent);
        n->setRange(-kMaxAmount, kMaxAmount);
        n->setDisplayFormat(QStringLiteral("#,##0"));
        return n;
    }
    case ColumnKind::Check:
        return nullptr;
    }
    return nullptr;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* n = qobject_cast<NumberField*>(editor)) {
        n->setValue(toNumberOr(index.data(Qt::EditRole), 0));
        n->setText(n->valueText() == QLatin1String("0") ? QString() : n->valueText());
        n->selectAll();
    } else if (auto* t = qobject_cast<TextField*>(editor)) {
        t->setText(index.data(Qt::EditRole).toString());
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* n = qobject_cast<NumberField*>(editor)) {
        n->setValue(toNumberOr(n->text(), 0));
        model->setData(index, n->value(), Qt::EditRole);
    } else if (auto* t = qobject_cast<TextField*>(editor)) {
        model->setData(index, t->text(), Qt::EditRole);
    }
}

QString GridDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int)
        return formatNumber(value.toDouble(), QStringLiteral("#,##0"));
    return QStyledItemDelegate::displayText(value, locale);
}

} // namespace minasel::masters
