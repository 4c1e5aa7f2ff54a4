#include "app/screenregistry.h"
#include "nentyo/inpnentyo.h"

namespace minasel {

void registerNentyoScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("InpNentyo"), [](AppContext& ctx) { return new nentyo::InpNentyo(ctx); });
}

} // namespace minasel
