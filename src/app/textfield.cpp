#include "app/textfield.h"

namespace minasel {

TextField::TextField(QWidget* parent, Kind kind) : QLineEdit(parent), m_kind(kind)
{
    setKind(kind);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (m_upper && t != t.toUpper()) {
            const int pos = cursorPosition();
            setText(t.toUpper());
            setCursorPosition(pos);
        }
    });
}

void TextField::setKind(Kind kind)
{
    m_kind = kind;
    const bool japanese = kind == Kind::Japanese;
    setAttribute(Qt::WA_InputMethodEnabled, japanese);
    setInputMethodHints(japanese ? Qt::ImhNone : (Qt::ImhPreferLatin | Qt::ImhNoPredictiveText));
}

void TextField::setUpperCase(bool on)
{
    m_upper = on;
    if (on)
        setText(text().toUpper());
}

} // namespace minasel
