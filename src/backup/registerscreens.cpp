#include "app/screenregistry.h"
#include "backup/runbackup.h"

namespace minasel {

void registerBackupScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("RunBackUp"), [](AppContext& ctx) -> QWidget* { return new RunBackUp(ctx); });
}

} // namespace minasel
