#pragma once
#include "app/menuscreen.h"

namespace minasel {

// 入出力処理: the monthly statements, the forms, the year-end adjustment, the
// backup and the printer.
class InOutMenu : public MenuScreen {
    Q_OBJECT
public:
    explicit InOutMenu(AppContext& ctx);

    static QString readMeText();
};

} // namespace minasel
