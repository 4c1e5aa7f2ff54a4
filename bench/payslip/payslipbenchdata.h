#pragma once
#include "db/rowwriter.h"

#include <QString>
#include <QStringList>

namespace minasel::bench {

// A row of the table with every number 0 and every text empty, and one column set.
db::RowValues blankRow(db::Table table);
void set(db::RowValues& row, db::Table table, const char* column, const QString& value);

// A data folder (Kyuyo.db) for company "01" with `employees` employees
// (00001 ...) and a full salary statement of `month` for each.
bool makePayslipData(const QString& folder, int employees, const QString& month, QString* error);
// The same employees with a full salary statement in each of `months` and a
// bonus in each of `bonusMonths`.
bool makeStatementData(const QString& folder, int employees, const QStringList& months, const QStringList& bonusMonths,
                       QString* error);

} // namespace minasel::bench
