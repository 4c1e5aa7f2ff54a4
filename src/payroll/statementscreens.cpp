#include "app/screenregistry.h"
#include "payroll/inpkyuyo.h"
#include "payroll/inpsyoyo.h"

namespace minasel {

void registerStatementScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("InpKyuyo"), [](AppContext& ctx) { return new payroll::InpKyuyo(ctx); });
    registry.add(QStringLiteral("InpSyoyo"), [](AppContext& ctx) { return new payroll::InpSyoyo(ctx); });
}

} // namespace minasel
