#pragma once
#include <QString>

namespace minasel::bench {

// A data folder (Kyuyo.db) for company "01" with `employees` employees
// (00001 ...) and a full salary statement of `month` for each.
bool makePayslipData(const QString& folder, int employees, const QString& month, QString* error);

} // namespace minasel::bench
