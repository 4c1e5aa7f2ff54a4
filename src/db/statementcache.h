#pragma once
#include "db/schema.h"

#include <QSqlDatabase>
#include <array>
#include <memory>

namespace minasel {
class AppContext;
}

namespace minasel::db {

class RowInserter;

// The prepared inserts of one transaction, one per table: every row writer
// called while the transaction is open (the screens' saves, the restore, the
// demo, the year-end registration) reuses the table's statement instead of
// preparing it again for each row. The cache is attached to the connection
// for the life of the transaction (TransactionGuard makes and ends it), so
// no prepared statement outlives the transaction or the connection.
class StatementCache {
public:
    explicit StatementCache(QSqlDatabase db);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The cache of the transaction open on `db`, or nullptr.
    static StatementCache* of(const QSqlDatabase& db);

    // The table's inserter, prepared on first use. With a context its write()
    // logs failures through it.
    RowInserter& inserter(Table table, AppContext& ctx);
    RowInserter& inserter(Table table, int currentYear);

private:
    QSqlDatabase m_db;
    std::array<std::unique_ptr<RowInserter>, 32> m_inserters;
};

} // namespace minasel::db
