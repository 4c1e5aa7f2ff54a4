#include "db/transactionguard.h"

namespace minasel::db {

TransactionGuard::TransactionGuard(QSqlDatabase db) : m_db(std::move(db))
{
    m_active = m_db.isOpen() && m_db.transaction();
}

TransactionGuard::~TransactionGuard()
{
    rollback();
}

bool TransactionGuard::commit()
{
    if (!m_active)
        return false;
    if (!m_db.commit()) {
        rollback();
        return false;
    }
    m_active = false;
    return true;
}

void TransactionGuard::rollback()
{
    if (m_active) {
        m_db.rollback();
        m_active = false;
    }
}

} // namespace minasel::db
