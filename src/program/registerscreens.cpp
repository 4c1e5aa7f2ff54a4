#include "app/screenregistry.h"

namespace minasel {

void registerAllScreens(ScreenRegistry& registry)
{
    registerMastersScreens(registry);
    registerPayrollScreens(registry);
    registerNentyoScreens(registry);
    registerReportsScreens(registry);
    registerBackupScreens(registry);
    registerTransferScreens(registry);
}

} // namespace minasel
