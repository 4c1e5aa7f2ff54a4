#include "reports/printoffset.h"

#include "app/dberror.h"
#include "db/boundquery.h"
#include "db/schema.h"
#include "db/transactionguard.h"

namespace minasel::reports {

bool readPrintOffset(QSqlDatabase db, const QString& printer, const QString& form, PrintOffset* out, DbError* error)
{
    *out = {};
    QSqlQuery q(db);
    if (!db::execBound(q, QStringLiteral("SELECT HOSEIX, HOSEIY FROM %1 WHERE PRTNAME = ? AND FORMNAME = ?").arg(db::kPrintOffsetTable),
                   {printer, form}, error))
        return false;
    if (q.next())
        *out = {q.value(0).toDouble(), q.value(1).toDouble()};
    return true;
}

bool writePrintOffset(QSqlDatabase db, const QString& printer, const QString& form, const PrintOffset& offset,
                      DbError* error)
{
    db::TransactionGuard transaction(db);
    QSqlQuery q(db);
    if (!db::execBound(q, QStringLiteral("DELETE FROM %1 WHERE PRTNAME = ? AND FORMNAME = ?").arg(db::kPrintOffsetTable),
                   {printer, form}, error)
        || !db::execBound(q,
                      QStringLiteral("INSERT INTO %1 (PRTNAME, FORMNAME, HOSEIX, HOSEIY) VALUES(?, ?, ?, ?)")
                          .arg(db::kPrintOffsetTable),
                      {printer, form, offset.x, offset.y}, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = DbError::from(db.lastError());
        return false;
    }
    return true;
}

} // namespace minasel::reports
