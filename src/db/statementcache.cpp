#include "db/statementcache.h"

#include "app/appcontext.h"
#include "db/rowinserter.h"

#include <QSqlDriver>
#include <stdexcept>

namespace minasel::db {

namespace {
const char* const kProperty = "minasel_statement_cache";

size_t slot(Table table)
{
    const auto i = size_t(table);
    if (i >= 32)
        throw std::invalid_argument("table number beyond the statement cache");
    return i;
}
} // namespace

StatementCache::StatementCache(QSqlDatabase db) : m_db(std::move(db))
{
    if (QSqlDriver* driver = m_db.driver())
        driver->setProperty(kProperty, QVariant::fromValue(static_cast<void*>(this)));
}

StatementCache::~StatementCache()
{
    // The statements go before the cache is detached, so that the transaction
    // ends with none of them open.
    for (auto& inserter : m_inserters)
        inserter.reset();
    if (QSqlDriver* driver = m_db.driver())
        if (driver->property(kProperty).value<void*>() == this)
            driver->setProperty(kProperty, QVariant());
}

StatementCache* StatementCache::of(const QSqlDatabase& db)
{
    const QSqlDriver* driver = db.driver();
    return driver ? static_cast<StatementCache*>(driver->property(kProperty).value<void*>()) : nullptr;
}

RowInserter& StatementCache::inserter(Table table, AppContext& ctx)
{
    std::unique_ptr<RowInserter>& p = m_inserters[slot(table)];
    if (!p)
        p = std::make_unique<RowInserter>(ctx, table);
    else
        p->setContext(&ctx);
    return *p;
}

RowInserter& StatementCache::inserter(Table table, int currentYear)
{
    std::unique_ptr<RowInserter>& p = m_inserters[slot(table)];
    if (!p)
        p = std::make_unique<RowInserter>(m_db, table, currentYear);
    return *p;
}

} // namespace minasel::db
