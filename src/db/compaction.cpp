#include "db/compaction.h"

#include "db/schema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace minasel::db {

namespace {

bool fail(CompactError e, const QString& text, CompactError* why, QString* detail)
{
    if (why)
        *why = e;
    if (detail)
        *detail = text;
    return false;
}

bool isBusy(const QSqlError& e)
{
    // SQLITE_BUSY, SQLITE_LOCKED
    return e.nativeErrorCode() == QLatin1String("5") || e.nativeErrorCode() == QLatin1String("6");
}

bool rowCounts(QSqlDatabase& db, QList<qlonglong>* counts, QString* error)
{
    for (const TableDef& t : allTables()) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + t.name) || !q.next()) {
            *error = q.lastError().text();
            return false;
        }
        counts->append(q.value(0).toLongLong());
    }
    return true;
}

} // namespace

bool compactDatabase(QSqlDatabase db, CompactError* why, QString* detail)
{
    if (why)
        *why = CompactError::None;
    QSqlQuery q(db);
    // A lock held elsewhere is reported at once instead of after the usual wait.
    q.exec(QStringLiteral("PRAGMA busy_timeout = 200"));
    struct RestoreTimeout {
        QSqlDatabase db;
        ~RestoreTimeout() { QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = 5000")); }
    } restore{db};

    QList<qlonglong> before;
    QString error;
    {
        // Counting inside a write lock proves nobody else is writing meanwhile.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return fail(isBusy(probe.lastError()) ? CompactError::Busy : CompactError::Copy, probe.lastError().text(),
                        why, detail);
        const bool counted = rowCounts(db, &before, &error);
        probe.exec(QStringLiteral("COMMIT"));
        if (!counted)
            return fail(CompactError::Copy, error, why, detail);
    }
    if (!q.exec(QStringLiteral("VACUUM")))
        return fail(isBusy(q.lastError()) ? CompactError::Busy : CompactError::Copy, q.lastError().text(), why, detail);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok"))
        return fail(CompactError::Check, QStringLiteral("quick_check: ") + q.value(0).toString(), why, detail);
    q.finish();
    QList<qlonglong> after;
    if (!rowCounts(db, &after, &error))
        return fail(CompactError::Check, error, why, detail);
    if (after != before)
        return fail(CompactError::Check, QStringLiteral("row counts differ"), why, detail);
    return true;
}

} // namespace minasel::db
