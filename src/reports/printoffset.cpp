#include "reports/printoffset.h"

#include "app/dberror.h"
#include "db/schema.h"
#include "db/transactionguard.h"

#include <QSqlQuery>

namespace minasel::reports {

namespace {

bool run(QSqlQuery& q, DbError* error)
{
    if (q.exec())
        return true;
    if (error)
        *error = DbError::from(q.lastError());
    return false;
}

} // namespace

bool readPrintOffset(QSqlDatabase db, const QString& printer, const QString& form, PrintOffset* out, DbError* error)
{
    *out = {};
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT HOSEIX, HOSEIY FROM %1 WHERE PRTNAME = ? AND FORMNAME = ?").arg(db::kPrintOffsetTable));
    q.addBindValue(printer);
    q.addBindValue(form);
    if (!run(q, error))
        return false;
    if (q.next())
        *out = {q.value(0).toDouble(), q.value(1).toDouble()};
    return true;
}

bool writePrintOffset(QSqlDatabase db, const QString& printer, const QString& form, const PrintOffset& offset,
                      DbError* error)
{
    db::TransactionGuard transaction(db);
    QSqlQuery del(db);
    del.prepare(QStringLiteral("DELETE FROM %1 WHERE PRTNAME = ? AND FORMNAME = ?").arg(db::kPrintOffsetTable));
    del.addBindValue(printer);
    del.addBindValue(form);
    QSqlQuery ins(db);
    ins.prepare(QStringLiteral("INSERT INTO %1 (PRTNAME, FORMNAME, HOSEIX, HOSEIY) VALUES(?, ?, ?, ?)")
                    .arg(db::kPrintOffsetTable));
    ins.addBindValue(printer);
    ins.addBindValue(form);
    ins.addBindValue(offset.x);
    ins.addBindValue(offset.y);
    if (!run(del, error) || !run(ins, error))
        return false;
    if (!transaction.commit()) {
        if (error)
            *error = DbError::from(db.lastError());
        return false;
    }
    return true;
}

} // namespace minasel::reports
