#pragma once
#include "db/rowwriter.h"

#include <QSqlQuery>

namespace minasel::db {

// The row writer of one table for many rows in a row (restoring a backup):
// one prepared statement for all of them, otherwise exactly writeRow: the same
// conversions (texts trimmed, numbers read as in the forms, TOROKUBI
// normalised) and a failure logged under "Publish.Write<Table>Table".
class RowInserter {
public:
    RowInserter(AppContext& ctx, Table table);

    bool write(const RowValues& values);

private:
    bool fail(int code, const QString& description);

    AppContext& m_ctx;
    Table m_table;
    QSqlQuery m_query;
    bool m_prepared = false;
    int m_torokubi = -1;
    int m_year;
};

} // namespace minasel::db
