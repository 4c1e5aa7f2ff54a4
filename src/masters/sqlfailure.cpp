#include "masters/sqlfailure.h"

#include "app/appcontext.h"

#include <QSqlError>
#include <QSqlQuery>

namespace minasel::masters {

void reportSqlFailure(AppContext& ctx, const QSqlError& error, const QString& procedure)
{
    bool ok = false;
    int code = error.nativeErrorCode().toInt(&ok);
    if (!ok || code == 0)
        code = -1;
    QString text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("データベースに接続されていません。");
    ctx.reportError(code, text, procedure);
}

bool execOrReport(AppContext& ctx, QSqlQuery& query, const QString& procedure)
{
    if (query.exec())
        return true;
    reportSqlFailure(ctx, query.lastError(), procedure);
    return false;
}

} // namespace minasel::masters
