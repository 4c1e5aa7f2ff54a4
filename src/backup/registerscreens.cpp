#include "app/screenregistry.h"

namespace minasel {

void registerBackupScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
