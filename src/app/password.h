#pragma once
#include "app/screen.h"

class QLabel;
class QPushButton;

namespace minasel {

class TextField;

// パスワード照合 / 設定 / 変更. All the work happens when the screen closes (by
// cmdOk, the close box, or Enter after the password at start-up). Passwords are
// stored and compared in upper case.
class Password : public Screen {
    Q_OBJECT
public:
    enum class Mode { Startup, Set, Change };

    // The mode follows ctx.callerName: "MainMenu" checks the start-up password,
    // any other caller sets or changes it.
    explicit Password(AppContext& ctx);

    Mode mode() const { return m_mode; }
    // check_password: whether the entered (current) password is accepted.
    bool checkPassword();

protected:
    bool canClose() override;
    bool handleKey(QWidget* receiver, QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void upperCaseFields();

    Mode m_mode = Mode::Startup;
    TextField* m_password0;
    TextField* m_password1;
    TextField* m_password2;
    QPushButton* m_ok;
    bool m_done = false;
};

} // namespace minasel
