#pragma once
#include <QSqlQuery>
#include <QVariantList>

namespace minasel {
struct DbError;
}

namespace minasel::db {

// Prepares `sql` forward-only on `q`, binds `values` in order and runs it;
// false (with *error when given) when it fails.
bool execBound(QSqlQuery& q, const QString& sql, const QVariantList& values, DbError* error);

} // namespace minasel::db
