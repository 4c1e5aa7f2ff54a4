#include "app/screenregistry.h"

namespace minasel {

void registerPayrollScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
