#pragma once
#include "db/schema.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace minasel::backup {

// One row of BACKUP: which table goes to which file, with how many values a row.
struct BackupTable {
    db::Table table;
    QString fileName;   // "T_001.txt"
    int columns;        // FLPNO
    QString tableName;  // KEISIKI
};

// The rows of BACKUP in SEQNO order: the eight tables, then the side tables. The rows are checked against the
// schema (number, table name, column count, a plain file name) so that a damaged
// BACKUP table can neither name a foreign table nor split rows wrongly.
bool loadBackupTables(QSqlDatabase db, QList<BackupTable>* tables, QString* error);

// The file names, in order.
QStringList backupFileNames(const QList<BackupTable>& tables);
// The files a set must have: those of the eight tables. A side table's file may
// be missing from a set made before that table existed.
QStringList requiredFileNames(const QList<BackupTable>& tables);

} // namespace minasel::backup
