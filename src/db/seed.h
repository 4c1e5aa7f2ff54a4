#pragma once
#include <QSqlDatabase>
#include <QString>

namespace minasel::db {

// Company "01", a ready sample with employees and items, and the industry
// templates (TOROKUBI "2000/01/01") a new user starts from.
bool seedCompanies(QSqlDatabase db, int currentYear, QString* error);

} // namespace minasel::db
