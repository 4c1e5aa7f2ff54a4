#include "app/numberfield.h"

#include "app/valuehelpers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolTip>
#include <QValidator>
#include <cmath>

namespace minasel {

namespace {
class NumberValidator : public QValidator {
public:
    explicit NumberValidator(NumberField* field) : QValidator(field), m_field(field) {}

    State validate(QString& input, int&) const override
    {
        QString t = input;
        t.remove(QLatin1Char(','));
        t = t.trimmed();
        if (t.isEmpty())
            return Intermediate;
        if (t == QLatin1String("-"))
            return m_field->minimum() < 0 ? Intermediate : Invalid;
        int dots = 0;
        int decimals = 0;
        for (int i = 0; i < t.size(); ++i) {
            const QChar c = t[i];
            if (c == QLatin1Char('-') && i == 0 && m_field->minimum() < 0)
                continue;
            if (c == QLatin1Char('.')) {
                if (++dots > 1 || m_field->decimals() == 0)
                    return Invalid;
                continue;
            }
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
            if (dots)
                ++decimals;
        }
        if (decimals > m_field->decimals())
            return Invalid;
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok)
            return Intermediate;
        if (v > m_field->maximum())
            return Invalid;
        if (v < m_field->minimum())
            return m_field->minimum() <= 0 ? Invalid : Intermediate;
        return Acceptable;
    }

private:
    NumberField* m_field;
};
} // namespace

NumberField::NumberField(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    setValidator(new NumberValidator(this));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
        // Every keystroke updates the value, so screens can recompute as the user types.
        const double v = parse(t);
        if (v >= m_min && v <= m_max && v != m_value) {
            m_value = v;
            emit valueChanged(m_value);
        }
    });
    connect(this, &QLineEdit::editingFinished, this, [this] { commitEdit(); });
    // A refused point holds back only the digits typed straight after it.
    const auto release = [this] { m_pointRefused = false; };
    connect(this, &QLineEdit::cursorPositionChanged, this, release);
    connect(this, &QLineEdit::selectionChanged, this, release);
    connect(this, &QLineEdit::textChanged, this, release);
    showFormatted();
}

void NumberField::setRange(double minimum, double maximum)
{
    m_min = minimum;
    m_max = maximum;
    setValue(std::clamp(m_value, m_min, m_max));
}

void NumberField::setDecimals(int decimals)
{
    m_decimals = decimals;
    showFormatted();
}

void NumberField::setDisplayFormat(const QString& format)
{
    m_format = format;
    if (!m_editing)
        showFormatted();
}

double NumberField::parse(const QString& text) const
{
    return toNumberOr(text, 0.0);
}

double NumberField::value() const
{
    return m_value;
}

void NumberField::setValue(double v)
{
    if (!std::isfinite(v))
        v = 0;
    const double scale = std::pow(10.0, m_decimals);
    v = std::round(v * scale) / scale;
    v = std::clamp(v, m_min, m_max);
    const bool changed = v != m_value;
    m_value = v;
    if (m_editing)
        setText(valueText());
    else
        showFormatted();
    if (changed)
        emit valueChanged(m_value);
}

QString NumberField::valueText() const
{
    if (m_decimals == 0)
        return QString::number(static_cast<long long>(std::llround(m_value)));
    QString t = QString::number(m_value, 'f', m_decimals);
    while (t.contains(QLatin1Char('.')) && (t.endsWith(QLatin1Char('0')) || t.endsWith(QLatin1Char('.'))))
        t.chop(1);
    return t;
}

void NumberField::showFormatted()
{
    setText(formatNumber(m_value, m_format));
}

void NumberField::commitEdit()
{
    setValue(parse(text()));
    if (m_editing)
        setText(valueText());
}

void NumberField::keyPressEvent(QKeyEvent* e)
{
    const QString typed = e->text();
    if (typed == QLatin1String(".")) {
        QString rest = text();
        if (hasSelectedText())
            rest.remove(selectionStart(), selectedText().size());
        if (m_decimals == 0 || rest.contains(QLatin1Char('.'))) {
            m_pointRefused = true;
            QApplication::beep();
            QToolTip::showText(mapToGlobal(rect().bottomLeft()),
                               m_decimals == 0 ? QStringLiteral("この項目に小数点は入力できません。")
                                               : QStringLiteral("小数点は一つだけです。"),
                               this, QRect(), 3000);
            e->accept();
            return;
        }
    }
    if (m_pointRefused && typed.size() == 1 && typed[0].isDigit()) {
        e->accept();
        return;
    }
    m_pointRefused = false;
    QLineEdit::keyPressEvent(e);
}

void NumberField::focusInEvent(QFocusEvent* e)
{
    m_editing = true;
    m_pointRefused = false;
    if (!isReadOnly()) {
        setText(m_value == 0 && formatNumber(0, m_format).isEmpty() ? QString() : valueText());
        selectAll();
    }
    QLineEdit::focusInEvent(e);
}

void NumberField::focusOutEvent(QFocusEvent* e)
{
    if (!isReadOnly())
        commitEdit();
    m_editing = false;
    showFormatted();
    QLineEdit::focusOutEvent(e);
}

} // namespace minasel
