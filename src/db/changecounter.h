#pragma once
#include <QSqlDatabase>
#include <QString>

namespace minasel::db {

// How often the rows of each company changed: the table CHANGECOUNT (CID,
// CHANGES, AUTOBACKUP), whose CHANGES the database's own triggers raise for
// every row of company data inserted, changed or deleted, whoever writes it
// (the screens, a restore, the command line, another tool). AUTOBACKUP is the
// value CHANGES had when the last automatic backup of the company was made,
// so the backup at the end of a run can tell that nothing has changed since.
// Not company data: never backed up.
class ChangeCounter {
public:
    static QString tableName() { return QStringLiteral("CHANGECOUNT"); }

    struct State {
        bool known = false;     // the company has a row
        qint64 changes = 0;
        qint64 atAutomaticBackup = -1;
        bool changedSinceAutomaticBackup() const { return !known || changes != atAutomaticBackup; }
    };

    // The company's counter, read in whatever transaction is open on `db`.
    static bool read(QSqlDatabase db, const QString& cid, State* state, QString* error);
    // Records that the automatic backup holds the company as it was at `changes`.
    static bool recordAutomaticBackup(QSqlDatabase db, const QString& cid, qint64 changes, QString* error);

    // The schema step: the table, a row for every company there is, and the
    // triggers on every table of company data that exists at `version`.
    static bool install(QSqlDatabase db, int version, QString* error);
    // The triggers of one table (for a table added by a later step).
    static bool addTriggers(QSqlDatabase db, const QString& table, QString* error);
};

} // namespace minasel::db
