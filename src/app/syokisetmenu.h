#pragma once
#include "app/menuscreen.h"

namespace minasel {

// 初期設定: the company, the employees, the qualification and additional-pay
// masters and the password.
class SyokiSetMenu : public MenuScreen {
    Q_OBJECT
public:
    explicit SyokiSetMenu(AppContext& ctx);

    static QString readMeText();
    // The password screen over this menu (which stays visible, disabled).
    QWidget* openPassword();
};

} // namespace minasel
