#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace minasel {
class NumberField;
}

namespace minasel::payroll {

// Field factories shared by the statement screens, so that both look and behave alike.
// An entered amount: whole yen, "###,##0"; `minimum` below 0 allows negative amounts.
NumberField* amountField(QWidget* parent, const QString& name, double minimum = 0);
// A computed amount: read only, skipped by Enter/Tab, negative amounts allowed.
NumberField* resultField(QWidget* parent, const QString& name);
// Hours with two decimals, days with one, counts whole.
NumberField* hoursField(QWidget* parent, const QString& name);
NumberField* daysField(QWidget* parent, const QString& name);
NumberField* countField(QWidget* parent, const QString& name);
// A year of four digits typed as a code (no input method), centred.
QLineEdit* yearField(QWidget* parent, const QString& name);
QLabel* caption(QWidget* parent, const QString& text, const QString& name = QString());
// A note in red of fixed size (see Screen::makeNote).
QLabel* noteLabel(QWidget* parent, const QString& name, int lines = 1);
QPushButton* functionKeyButton(QWidget* parent, const QString& name, const QString& text);

// Locks a field (read only, out of the Enter/Tab order) or opens it for typing.
void setEditable(NumberField* field, bool editable);

// Amount cells of the allowance grid: edited in a number field (text is refused),
// shown as "#,###" (an empty cell is 0).
class AmountDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace minasel::payroll
