#pragma once
#include <QSqlDatabase>
#include <memory>

namespace minasel::db {

class StatementCache;

// One transaction over a multi-row save: rolled back unless commit() succeeded,
// so an early return or an exception never leaves half a save behind. The row
// writers called meanwhile share its StatementCache.
class TransactionGuard {
public:
    explicit TransactionGuard(QSqlDatabase db);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    bool active() const { return m_active; }
    bool commit();
    void rollback();

private:
    void endStatements();

    QSqlDatabase m_db;
    bool m_active = false;
    std::unique_ptr<StatementCache> m_statements;
};

} // namespace minasel::db
