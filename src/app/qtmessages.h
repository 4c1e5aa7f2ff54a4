#pragma once
#include "app/messages.h"

namespace minasel {

// The boxes as the user sees them, over the active window.
class QtMessages : public Messages {
public:
    Answer show(Icon icon, const QString& title, const QString& text, Buttons buttons,
                Answer defaultAnswer) override;
};

} // namespace minasel
