#include "app/screenregistry.h"

namespace minasel {

void registerMastersScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
