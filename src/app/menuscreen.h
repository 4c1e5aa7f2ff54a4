#pragma once
#include "app/screen.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace minasel {

// A menu below the main menu: a column of numbered buttons that open screens by
// name, a read-me text, and "メインメニュー（X）" (or the key X) back to the main menu.
// A button whose screen is not in the registry stays visible but disabled.
class MenuScreen : public Screen {
    Q_OBJECT
public:
    // `menuName` is the caller name the opened screens see ("SyokiSetMenu", "InOutMenu").
    MenuScreen(AppContext& ctx, const QString& menuName, const QString& title);

    QString menuName() const { return m_menuName; }
    // Opens a registered screen from this menu; nothing happens for an unknown name.
    // `over`: the menu stays visible but disabled until the screen closes.
    QWidget* openScreen(const QString& screenName, bool over = false);

protected:
    QPushButton* addButton(const QString& objectName, const QString& caption, const QString& hint);
    // A button that opens the screen registered under `screenName`.
    QPushButton* addScreenButton(const QString& objectName, const QString& caption, const QString& hint,
                                 const QString& screenName, bool over = false);
    void addBackButton();
    void setReadMe(const QString& text);

    bool handleKey(QWidget* receiver, QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString m_menuName;
    QVBoxLayout* m_buttons;
    QLabel* m_readMe;
    QLabel* m_hint;
};

} // namespace minasel
