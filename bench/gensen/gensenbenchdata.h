#pragma once
#include <QString>

namespace minasel::bench {

// A data folder (Kyuyo.db) whose company "01" has `employees` employees (00001 ...)
// with a year-end row of `year` each, every box of the slip filled for most of
// them: dependants, spouse, insurance, housing loan, 特定親族, joining and leaving.
bool makeGensenData(const QString& folder, int employees, int year, QString* error);

} // namespace minasel::bench
