#include "db/compaction.h"

#include "db/schema.h"

#include <QSqlDatabase>
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

QSqlDatabase openShortWait(const QString& path, const QString& name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    // A lock held elsewhere is reported at once instead of after the driver's long default wait.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
    db.open();
    return db;
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

bool copyAndCheck(const QString& source, const QString& target, CompactError* why, QString* detail)
{
    const QString srcName = QStringLiteral("minasel-compact-source");
    const QString dstName = QStringLiteral("minasel-compact-copy");
    QList<qlonglong> before;
    {
        QSqlDatabase src = openShortWait(source, srcName);
        if (!src.isOpen())
            return fail(CompactError::Open, src.lastError().text(), why, detail);
        {
            // Taking the write lock for a moment proves nobody else is reading or writing the file.
            QSqlQuery probe(src);
            if (!probe.exec(QStringLiteral("BEGIN EXCLUSIVE")))
                return fail(CompactError::Busy, probe.lastError().text(), why, detail);
            QString error;
            const bool counted = rowCounts(src, &before, &error);
            QSqlQuery end(src);
            end.exec(QStringLiteral("COMMIT"));
            if (!counted)
                return fail(CompactError::Copy, error, why, detail);
        }
        QSqlQuery vacuum(src);
        if (!vacuum.prepare(QStringLiteral("VACUUM INTO ?")))
            return fail(CompactError::Copy, vacuum.lastError().text(), why, detail);
        vacuum.addBindValue(target);
        if (!vacuum.exec())
            return fail(CompactError::Copy, vacuum.lastError().text(), why, detail);
    }
    QSqlDatabase dst = openShortWait(target, dstName);
    if (!dst.isOpen())
        return fail(CompactError::Check, dst.lastError().text(), why, detail);
    QSqlQuery check(dst);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next()
        || check.value(0).toString() != QLatin1String("ok"))
        return fail(CompactError::Check, QStringLiteral("quick_check: ") + check.value(0).toString(), why, detail);
    check.finish();
    QList<qlonglong> after;
    QString error;
    if (!rowCounts(dst, &after, &error))
        return fail(CompactError::Check, error, why, detail);
    if (after != before)
        return fail(CompactError::Check, QStringLiteral("row counts differ"), why, detail);
    return true;
}

} // namespace

bool writeCompactCopy(const QString& source, const QString& target, CompactError* why, QString* detail)
{
    if (why)
        *why = CompactError::None;
    const bool ok = copyAndCheck(source, target, why, detail);
    for (const char* name : {"minasel-compact-source", "minasel-compact-copy"}) {
        const QString n = QString::fromLatin1(name);
        {
            QSqlDatabase db = QSqlDatabase::database(n, false);
            if (db.isOpen())
                db.close();
        }
        if (QSqlDatabase::contains(n))
            QSqlDatabase::removeDatabase(n);
    }
    return ok;
}

} // namespace minasel::db
