#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace minasel::db {

enum class Kind { Text, Number };

struct Column {
    QString name;
    Kind kind;
};

struct TableDef {
    QString name;
    std::vector<Column> columns;
    QStringList key;   // the columns that identify a row; empty for none
    int columnCount() const { return int(columns.size()); }
    int indexOf(const QString& column) const;   // -1 when absent
};

// The eight data tables carry the company code and are backed up; their number
// (1..8) is the BACKUP row and the row writer used on restore.
enum class Table { Company = 1, Fukakyu, Jyugyoin, Meisai, Nentyo, Sikaku, Sonota, SonotaKojyo };

const TableDef& tableDef(Table t);
const TableDef& tableDefByName(const QString& name);   // the twelve tables; throws for an unknown name
const std::vector<TableDef>& allTables();              // all twelve, data tables first
QList<Table> dataTables();

constexpr int kSchemaVersion = 1;

// Creates every table and index and the fixed rows (BASIC, BACKUP) in an empty database.
bool createSchema(QSqlDatabase db, QString* error);
// Brings an older file up to kSchemaVersion, one numbered step per transaction.
bool upgradeSchema(QSqlDatabase db, QString* error);
int schemaVersion(QSqlDatabase db);

} // namespace minasel::db
