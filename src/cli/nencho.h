#pragma once
#include "nentyo/nentyocalc.h"

#include <QStringList>

namespace minasel::cli {

inline constexpr const char* kNenchoStoredUsage =
    "       minasel-cli nencho --data-dir D --company CID --year YYYY [--employee CODE] [--register]\n"
    "  --data-dir: every employee with pay statements in the year (or only --employee), from\n"
    "  the stored year-end row and declarations when there is one, else from the year's\n"
    "  statements, as the year-end screen computes them; --register stores the results and\n"
    "  the December balances in one transaction\n";

// nencho --data-dir ...: the year-end adjustment of a company's employees.
int cmdNenchoStored(const QStringList& args);
// One line of JSON in the order of the year-end sheet, the employee first when given;
// pay beyond the adjustment's limit is said on stderr.
void printNenchoResult(const nentyo::NentyoResult& r, const QString& code = QString());

} // namespace minasel::cli
