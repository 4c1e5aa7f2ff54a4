#include "app/screenregistry.h"

namespace minasel {

void registerReportsScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
