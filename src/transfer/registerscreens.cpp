#include "app/screenregistry.h"
#include "transfer/inpkaisyaginko.h"
#include "transfer/mstjyugyoinginko.h"
#include "transfer/runfurikomi.h"

namespace minasel {

void registerTransferScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("InpKaisyaGinko"),
                 [](AppContext& ctx) -> QWidget* { return new transfer::InpKaisyaGinko(ctx); });
    registry.add(QStringLiteral("MstJyugyoinGinko"),
                 [](AppContext& ctx) -> QWidget* { return new transfer::MstJyugyoinGinko(ctx); });
    registry.add(QStringLiteral("RunFurikomi"), [](AppContext& ctx) -> QWidget* { return new transfer::RunFurikomi(ctx); });
}

} // namespace minasel
