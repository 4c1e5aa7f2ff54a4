#include "app/screenregistry.h"

namespace minasel {

void registerStatementScreens(ScreenRegistry& registry)
{
    Q_UNUSED(registry);
}

} // namespace minasel
