#include "reports/printpaper.h"

#include "app/appcontext.h"
#include "reports/printcanvas.h"

namespace minasel::reports {

QString paperRefusedMessage()
{
    return QStringLiteral("選択したプリンタは印刷しようとする帳票のサイズに合わないので、印刷することはできません。")
        + QStringLiteral("\n\nプリンタを切り替えて下さい。");
}

bool setPrintPaper(AppContext& ctx, PrintCanvas& canvas, const QString& fontName, int fontSize, int paperCode,
                   int orientation, int heightTwips, int widthTwips)
{
    const QString device = canvas.deviceName();
    const bool tolerant = canvas.acceptsAnyPaper() || device == QLatin1String("Adobe PDF")
        || device == QLatin1String("Acrobat Distiller");
    auto refused = [&]() {
        ctx.messages().exclamation(paperRefusedMessage());
        return false;
    };
    if (!canvas.setPaperSize(paperCode) && !tolerant)
        return refused();
    if (!canvas.setOrientation(orientation) && !tolerant)
        return refused();
    if (paperCode == PaperUser && !canvas.setCustomSize(heightTwips, widthTwips) && !tolerant)
        return refused();
    SetPrintFont(canvas, fontName, fontSize);
    return true;
}

int chooseLedgerPaper(const PrintCanvas& canvas)
{
    return canvas.paperCodes().contains(PaperB4) ? PaperB4 : PaperA4;
}

} // namespace minasel::reports
