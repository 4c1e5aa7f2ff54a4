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

// The eight rows of BACKUP in SEQNO order. The rows are checked against the
// schema (number, table name, column count, a plain file name) so that a damaged
// BACKUP table can neither name a foreign table nor split rows wrongly.
bool loadBackupTables(QSqlDatabase db, QList<BackupTable>* tables, QString* error);

// The eight file names, in order.
QStringList backupFileNames(const QList<BackupTable>& tables);

} // namespace minasel::backup
