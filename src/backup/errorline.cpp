#include "backup/errorline.h"

#include "app/appcontext.h"

namespace minasel::backup {

void logErrorLine(AppContext& ctx, int code, const QString& text, const QString& procedure)
{
    LogRecord r;
    r.dateTime = formatLogDateTime(ctx.clock().now());
    r.code = QString::number(code);
    r.message = text;
    r.procedure = procedure;
    r.step = QStringLiteral("1");
    ctx.log().set(r);
    ctx.step = QStringLiteral("0");
}

} // namespace minasel::backup
