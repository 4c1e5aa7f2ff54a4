#include "app/screenregistry.h"
#include "reports/ledgerscreens.h"
#include "reports/prtjyugyoin.h"
#include "reports/setuseprinter.h"

namespace minasel {

void registerReportsScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("SetUsePrinter"),
                 [](AppContext& ctx) -> QWidget* { return new reports::SetUsePrinter(ctx); });
    registry.add(QStringLiteral("PrtJyugyoin"), [](AppContext& ctx) -> QWidget* { return new reports::PrtJyugyoin(ctx); });
    reports::registerLedgerScreens(registry);
}

} // namespace minasel
