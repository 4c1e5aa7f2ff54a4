#pragma once
#include <QLineEdit>

namespace minasel {

// A number field: shows its value in a display format ("###,##0", "#0.00") when
// it has no focus and the plain number while it is edited. It refuses any
// keystroke that would make the text something other than a number or put it
// above the maximum, clamps to the range when editing ends, and reads 0 when empty.
// A point it cannot take (no decimals, or a second point) is refused together with
// the digits typed after it, so "2.5" in a whole-number field reads 2, never 25.
class NumberField : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberField(QWidget* parent = nullptr);

    void setRange(double minimum, double maximum);
    void setDecimals(int decimals);
    void setDisplayFormat(const QString& format);
    double minimum() const { return m_min; }
    double maximum() const { return m_max; }
    int decimals() const { return m_decimals; }

    double value() const;
    void setValue(double v);   // clamps, shows formatted, emits valueChanged when it changes
    // Text as the database wants it: plain, no separators.
    QString valueText() const;

signals:
    void valueChanged(double value);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void showFormatted();
    void commitEdit();
    double parse(const QString& text) const;

    double m_min = 0;
    double m_max = 999999999;
    int m_decimals = 0;
    QString m_format = QStringLiteral("###,##0");
    double m_value = 0;
    bool m_editing = false;
    bool m_pointRefused = false;   // digits are dropped until another key is pressed
};

} // namespace minasel
