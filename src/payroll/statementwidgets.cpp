#include "payroll/statementwidgets.h"

#include "app/numberfield.h"
#include "app/screen.h"
#include "app/textfield.h"
#include "app/valuehelpers.h"

#include <QRegularExpressionValidator>

namespace minasel::payroll {

namespace {
NumberField* numberField(QWidget* parent, const QString& name, double minimum, double maximum, int decimals,
                         const QString& format, int width)
{
    auto* f = new NumberField(parent);
    f->setObjectName(name);
    f->setRange(minimum, maximum);
    f->setDecimals(decimals);
    f->setDisplayFormat(format);
    f->setFixedWidth(width);
    return f;
}
} // namespace

NumberField* amountField(QWidget* parent, const QString& name, double minimum)
{
    return numberField(parent, name, minimum, 999999999, 0, QStringLiteral("###,##0"), 88);
}

NumberField* resultField(QWidget* parent, const QString& name)
{
    NumberField* f = numberField(parent, name, -999999999, 999999999, 0, QStringLiteral("###,##0"), 88);
    setEditable(f, false);
    return f;
}

NumberField* hoursField(QWidget* parent, const QString& name)
{
    return numberField(parent, name, 0, 999.99, 2, QStringLiteral("##0.0#"), 60);
}

NumberField* daysField(QWidget* parent, const QString& name)
{
    return numberField(parent, name, 0, 99.9, 1, QStringLiteral("#0.0"), 60);
}

NumberField* countField(QWidget* parent, const QString& name)
{
    return numberField(parent, name, 0, 999, 0, QStringLiteral("##0"), 60);
}

QLineEdit* yearField(QWidget* parent, const QString& name)
{
    auto* year = new TextField(parent, TextField::Kind::Code);
    year->setObjectName(name);
    year->setMaxLength(4);
    year->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), year));
    year->setFixedWidth(56);
    year->setAlignment(Qt::AlignCenter);
    return year;
}

QLabel* caption(QWidget* parent, const QString& text, const QString& name)
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QLabel* noteLabel(QWidget* parent, const QString& name, int lines)
{
    QLabel* l = Screen::makeNote(parent, name, lines);
    l->setStyleSheet(QStringLiteral("color: #b00000;"));
    return l;
}

QPushButton* functionKeyButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}

void setEditable(NumberField* field, bool editable)
{
    field->setReadOnly(!editable);
    field->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    // Computed figures read as such: no frame of an input, a quiet background.
    field->setStyleSheet(editable ? QString() : QStringLiteral("QLineEdit { background: palette(window); }"));
}

QWidget* AmountDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* f = new NumberField(parent);
    f->setRange(0, 999999999);
    f->setFrame(false);
    return f;
}

void AmountDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* f = static_cast<NumberField*>(editor);
    f->setValue(toNumberOr(index.data(Qt::EditRole), 0.0));
    f->setText(f->valueText() == QLatin1String("0") ? QString() : f->valueText());
}

void AmountDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* f = static_cast<NumberField*>(editor);
    f->setValue(toNumberOr(f->text(), 0.0));
    model->setData(index, formatNumber(f->value(), QStringLiteral("#,###")), Qt::EditRole);
}

} // namespace minasel::payroll
