#include "app/appcontext.h"
#include "app/screenregistry.h"
#include "masters/codemaster.h"
#include "masters/inpkaisyajoho.h"
#include "masters/mstcodemaster.h"
#include "masters/mstjyugyoin.h"

namespace minasel {

void registerMastersScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("InpKaisyaJoho"), [](AppContext& ctx) -> QWidget* {
        return new masters::InpKaisyaJoho(ctx);
    });
    registry.add(QStringLiteral("MstJyugyoin"), [](AppContext& ctx) -> QWidget* {
        return new masters::MstJyugyoin(ctx);
    });
    registry.add(QStringLiteral("MstSikaku"), [](AppContext& ctx) -> QWidget* {
        return new masters::MstCodeMaster(ctx, masters::CodeMaster::Kind::Sikaku);
    });
    registry.add(QStringLiteral("MstFukakyu"), [](AppContext& ctx) -> QWidget* {
        return new masters::MstCodeMaster(ctx, masters::CodeMaster::Kind::Fukakyu);
    });
}

} // namespace minasel
