#include "app/screenregistry.h"

namespace minasel {

void registerStatementScreens(ScreenRegistry& registry);
void registerPayslipScreens(ScreenRegistry& registry);
void registerJuminzeiScreens(ScreenRegistry& registry);

void registerPayrollScreens(ScreenRegistry& registry)
{
    registerStatementScreens(registry);
    registerPayslipScreens(registry);
    registerJuminzeiScreens(registry);
}

} // namespace minasel
