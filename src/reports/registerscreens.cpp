#include "app/screenregistry.h"
#include "reports/ledgerscreens.h"
#include "reports/prtgensen.h"
#include "reports/prtjyugyoin.h"
#include "reports/setuseprinter.h"

namespace minasel {

void registerReportsScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("SetUsePrinter"),
                 [](AppContext& ctx) -> QWidget* { return new reports::SetUsePrinter(ctx); });
    registry.add(QStringLiteral("PrtJyugyoin"), [](AppContext& ctx) -> QWidget* { return new reports::PrtJyugyoin(ctx); });
    registry.add(QStringLiteral("PrtGensen"), [](AppContext& ctx) -> QWidget* { return new reports::PrtGensen(ctx); });
    reports::registerLedgerScreens(registry);
}

} // namespace minasel
