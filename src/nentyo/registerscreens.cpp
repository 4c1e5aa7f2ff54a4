#include "app/screenregistry.h"

namespace minasel {

void registerNentyoScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
