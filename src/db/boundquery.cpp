#include "db/boundquery.h"

#include "app/dberror.h"

namespace minasel::db {

bool execBound(QSqlQuery& q, const QString& sql, const QVariantList& values, DbError* error)
{
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& v : values)
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok && error)
        *error = DbError::from(q.lastError());
    return ok;
}

} // namespace minasel::db
