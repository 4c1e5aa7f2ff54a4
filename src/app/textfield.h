#pragma once
#include <QLineEdit>

namespace minasel {

// A text field. Japanese fields keep the input method enabled; code fields switch
// it off and may force upper case. The text is read trimmed by the screens.
class TextField : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Japanese, Code };

    explicit TextField(QWidget* parent = nullptr, Kind kind = Kind::Japanese);
    void setKind(Kind kind);
    Kind kind() const { return m_kind; }
    void setUpperCase(bool on);
    QString trimmed() const { return text().trimmed(); }
    void clearValue() { clear(); }

private:
    Kind m_kind;
    bool m_upper = false;
};

} // namespace minasel
