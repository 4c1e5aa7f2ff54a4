#pragma once
#include <QSqlDatabase>

namespace minasel::db {

// One transaction over a multi-row save: rolled back unless commit() succeeded,
// so an early return or an exception never leaves half a save behind.
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
    QSqlDatabase m_db;
    bool m_active = false;
};

} // namespace minasel::db
