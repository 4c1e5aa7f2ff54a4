#pragma once
#include <QString>

class QSqlError;
class QSqlQuery;

namespace minasel {
class AppContext;
}

namespace minasel::masters {

// Logs a failed statement the way every database procedure reports its faults
// (step "1", the driver's code and text, "Form.procedure") and tells the user.
void reportSqlFailure(AppContext& ctx, const QSqlError& error, const QString& procedure);
// Runs a prepared query; on failure reports it and returns false.
bool execOrReport(AppContext& ctx, QSqlQuery& query, const QString& procedure);

} // namespace minasel::masters
