#include "reports/printcanvas.h"

#include "app/appcontext.h"
#include "reports/paintercanvas.h"

#include <QSizeF>

namespace minasel::reports {

QPageSize pageSizeForCode(int paperCode, int heightTwips, int widthTwips)
{
    switch (paperCode) {
    case 1: return QPageSize(QPageSize::Letter);
    case 5: return QPageSize(QPageSize::Legal);
    case 8: return QPageSize(QPageSize::A3);
    case PaperA4: return QPageSize(QPageSize::A4);
    case 11: return QPageSize(QPageSize::A5);
    // The Japanese forms are JIS B sizes, not the ISO ones Qt calls B4/B5.
    case PaperB4: return QPageSize(QPageSize::JisB4);
    case PaperB5: return QPageSize(QPageSize::JisB5);
    case PaperUser:
        if (heightTwips <= 0 || widthTwips <= 0)
            return {};
        return QPageSize(QSizeF(widthTwips / 20.0, heightTwips / 20.0), QPageSize::Point,
                         QStringLiteral("User"), QPageSize::ExactMatch);
    default: return {};
    }
}

QList<int> knownPaperCodes()
{
    return {1, 5, 8, PaperA4, 11, PaperB4, PaperB5, PaperUser};
}

bool finishDocument(AppContext& ctx, PrintCanvas& canvas, const QString& procedure)
{
    if (canvas.endDocument())
        return true;
    constexpr int kPrinterError = 482;
    auto* painter = dynamic_cast<PainterCanvas*>(&canvas);
    const QString why = painter ? painter->errorString() : QString();
    ctx.reportError(kPrinterError, why.isEmpty() ? QStringLiteral("印刷を完了できませんでした。") : why, procedure);
    return false;
}

} // namespace minasel::reports
