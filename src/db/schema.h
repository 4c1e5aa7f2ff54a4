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
    int id = 0;        // its Table number, 0 for a table that is not company data
    int since = 1;     // the schema version that added it
    int columnCount() const { return int(columns.size()); }
    int indexOf(const QString& column) const;   // -1 when absent
};

// The tables of company data carry the company code and are backed up; their
// number is the BACKUP row (SEQNO) and the backup file (T_001.txt ...). The eight
// first are the program's own; side tables come after them in the order they were
// added, keyed like the row they extend, so that the eight keep their columns and
// a set of eight files stays valid.
enum class Table {
    Company = 1, Fukakyu, Jyugyoin, Meisai, Nentyo, Sikaku, Sonota, SonotaKojyo,
    NentyoSinkoku,   // year-end declarations the law asks for since 2025 (beside NENTYO)
    KaisyaGinko,     // the company's account and bank client code for transfer files (beside COMPANY)
    JyugyoinGinko,   // the employee's account the net pay is transferred to (beside JYUGYOIN)
    SyahoSettei = 12,   // how the company computes social insurance (beside COMPANY)
    HyojunHosyu = 13,   // the employee's standard monthly remuneration (beside JYUGYOIN)
    Juminzei = 14,   // resident tax of the municipal notice, per employee and tax year (beside JYUGYOIN)
};

const TableDef& tableDef(Table t);
const TableDef& tableDefByName(const QString& name);   // every table; throws for an unknown name
const std::vector<TableDef>& allTables();              // the eight, the four fixed tables, then the side tables
QList<Table> dataTables();                             // the eight
QList<Table> sideTables();                             // the side tables of company data, in file order
QList<Table> companyTables();                          // dataTables() then sideTables()
inline bool isSideTable(Table t) { return int(t) > int(Table::SonotaKojyo); }

// Not company data, never backed up: print position corrections per printer and
// form; how often each company's rows changed (ChangeCounter).
inline const QString kPrintOffsetTable = QStringLiteral("PRTHOSEI");

constexpr int kSchemaVersion = 6;

// Creates every table and index and the fixed rows (BASIC, BACKUP) in an empty database.
bool createSchema(QSqlDatabase db, QString* error);
// Brings an older file up to kSchemaVersion, one numbered step per transaction.
bool upgradeSchema(QSqlDatabase db, QString* error);
int schemaVersion(QSqlDatabase db);

} // namespace minasel::db
