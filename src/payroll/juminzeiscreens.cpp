#include "app/screenregistry.h"
#include "payroll/dspjuminzei.h"
#include "payroll/mstjuminzei.h"

namespace minasel {

void registerJuminzeiScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("MstJuminzei"), [](AppContext& ctx) { return new payroll::MstJuminzei(ctx); });
    registry.add(QStringLiteral("DspJuminzei"), [](AppContext& ctx) { return new payroll::DspJuminzei(ctx); });
}

} // namespace minasel
