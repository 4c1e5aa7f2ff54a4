#include "app/screenregistry.h"

namespace minasel {

void registerPayslipScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
