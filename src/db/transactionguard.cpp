#include "db/transactionguard.h"

#include "db/statementcache.h"

namespace minasel::db {

TransactionGuard::TransactionGuard(QSqlDatabase db) : m_db(std::move(db))
{
    m_active = m_db.isOpen() && m_db.transaction();
    // A guard inside another transaction leaves the outer one's cache alone.
    if (m_active && !StatementCache::of(m_db))
        m_statements = std::make_unique<StatementCache>(m_db);
}

void TransactionGuard::endStatements()
{
    m_statements.reset();
}

TransactionGuard::~TransactionGuard()
{
    rollback();
}

bool TransactionGuard::commit()
{
    if (!m_active)
        return false;
    endStatements();
    if (!m_db.commit()) {
        rollback();
        return false;
    }
    m_active = false;
    return true;
}

void TransactionGuard::rollback()
{
    endStatements();
    if (m_active) {
        m_db.rollback();
        m_active = false;
    }
}

} // namespace minasel::db
