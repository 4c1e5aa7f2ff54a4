#include "app/screenregistry.h"
#include "nentyo/inpnentyo.h"
#include "reports/gensenprintjob.h"

namespace minasel {

void registerNentyoScreens(ScreenRegistry& registry)
{
    registry.add(QStringLiteral("InpNentyo"), [](AppContext& ctx) {
        auto* screen = new nentyo::InpNentyo(ctx);
        // F5: the withholding slip of the one employee, from the screen's boxes.
        QObject::connect(screen, &nentyo::InpNentyo::printRequested, screen,
                         [&ctx, screen](const db::RowValues& row, const db::RowValues& side, bool preprinted) {
                             reports::GensenPrintJob(ctx, screen)
                                 .printRows(screen->year().toInt(),
                                            preprinted ? reports::GensenBatch::Paper::Form
                                                       : reports::GensenBatch::Paper::Plain,
                                            screen->employeeCode(), row, side);
                         });
        return screen;
    });
}

} // namespace minasel
