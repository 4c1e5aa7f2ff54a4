#pragma once
#include "db/rowwriter.h"

#include <QSqlQuery>

namespace minasel::db {

// The one place where a row of a data table is bound and inserted: texts trimmed,
// numbers read as in the forms (empty = 0, anything else that is not a number
// refused), TOROKUBI normalised. One prepared statement serves every row written
// through the same inserter, so a restore of many rows prepares once per table.
class RowInserter {
public:
    // Logs failures under "Publish.Write<Table>Table" through the context.
    RowInserter(AppContext& ctx, Table table);
    // No logging: the caller reports the code and description that insert() gives.
    RowInserter(QSqlDatabase db, Table table, int currentYear);

    bool write(const RowValues& values);
    bool insert(const RowValues& values, int* code, QString* error);

private:
    AppContext* m_ctx = nullptr;
    Table m_table;
    QSqlQuery m_query;
    bool m_prepared = false;
    int m_torokubi = -1;
    int m_year;
};

} // namespace minasel::db
