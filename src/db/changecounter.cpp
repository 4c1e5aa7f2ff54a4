#include "db/changecounter.h"

#include "db/schema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace minasel::db {

namespace {

bool run(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text() + QStringLiteral(" (") + sql + QStringLiteral(")");
    return false;
}

// One more change of the company `cid` (an expression of the trigger's row).
QString bump(const QString& cid)
{
    return QStringLiteral("INSERT INTO CHANGECOUNT(CID, CHANGES, AUTOBACKUP) VALUES(%1, 1, -1)"
                          " ON CONFLICT(CID) DO UPDATE SET CHANGES = CHANGES + 1;")
        .arg(cid);
}

} // namespace

bool ChangeCounter::addTriggers(QSqlDatabase db, const QString& table, QString* error)
{
    const QString name = QStringLiteral("TR_%1_CHANGE").arg(table);
    return run(db, QStringLiteral("CREATE TRIGGER %1_I AFTER INSERT ON %2 WHEN NEW.CID IS NOT NULL BEGIN %3 END")
                       .arg(name, table, bump(QStringLiteral("NEW.CID"))), error)
        && run(db, QStringLiteral("CREATE TRIGGER %1_D AFTER DELETE ON %2 WHEN OLD.CID IS NOT NULL BEGIN %3 END")
                       .arg(name, table, bump(QStringLiteral("OLD.CID"))), error)
        && run(db, QStringLiteral("CREATE TRIGGER %1_U AFTER UPDATE ON %2 WHEN NEW.CID IS NOT NULL BEGIN %3 END")
                       .arg(name, table, bump(QStringLiteral("NEW.CID"))), error)
        // A row moved to another company changes the company it left too.
        && run(db, QStringLiteral("CREATE TRIGGER %1_M AFTER UPDATE OF CID ON %2"
                                  " WHEN OLD.CID IS NOT NULL AND OLD.CID IS NOT NEW.CID BEGIN %3 END")
                       .arg(name, table, bump(QStringLiteral("OLD.CID"))), error);
}

bool ChangeCounter::install(QSqlDatabase db, int version, QString* error)
{
    // AUTOBACKUP -1: no automatic backup is known, so the first end of a run backs up.
    if (!run(db, QStringLiteral("CREATE TABLE CHANGECOUNT (CID TEXT PRIMARY KEY NOT NULL, CHANGES INTEGER NOT NULL,"
                                " AUTOBACKUP INTEGER NOT NULL)"), error)
        || !run(db, QStringLiteral("INSERT INTO CHANGECOUNT SELECT DISTINCT CID, 1, -1 FROM COMPANY WHERE CID IS NOT NULL"),
                error))
        return false;
    for (Table t : companyTables())
        if (tableDef(t).since <= version && !addTriggers(db, tableDef(t).name, error))
            return false;
    return true;
}

bool ChangeCounter::read(QSqlDatabase db, const QString& cid, State* state, QString* error)
{
    *state = State();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT CHANGES, AUTOBACKUP FROM CHANGECOUNT WHERE CID = ?"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    q.addBindValue(cid);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (q.next()) {
        state->known = true;
        state->changes = q.value(0).toLongLong();
        state->atAutomaticBackup = q.value(1).toLongLong();
    }
    return true;
}

bool ChangeCounter::recordAutomaticBackup(QSqlDatabase db, const QString& cid, qint64 changes, QString* error)
{
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("INSERT INTO CHANGECOUNT(CID, CHANGES, AUTOBACKUP) VALUES(?, ?, ?)"
                                  " ON CONFLICT(CID) DO UPDATE SET AUTOBACKUP = excluded.AUTOBACKUP"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    q.addBindValue(cid);
    q.addBindValue(changes);
    q.addBindValue(changes);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

} // namespace minasel::db
