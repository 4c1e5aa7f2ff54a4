#include "app/screenregistry.h"
#include "reports/setuseprinter.h"

namespace minasel {

void registerReportsScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("SetUsePrinter"),
                 [](AppContext& ctx) -> QWidget* { return new reports::SetUsePrinter(ctx); });
}

} // namespace minasel
