#include "app/screenregistry.h"
#include "payroll/prtkyuyosyoyo.h"

namespace minasel {

void registerPayslipScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("PrtKyuyoSyoyo"),
                 [](AppContext& ctx) -> QWidget* { return new payroll::PrtKyuyoSyoyo(ctx); });
}

} // namespace minasel
