#pragma once
#include <QString>

namespace minasel {
class AppContext;
}

namespace minasel::bench {

struct PayrollSize {
    int employees = 200;
    int years = 10;
};

// Fills company "01" through the row writers, in one transaction: employees
// with their items, a salary statement a month and a bonus a year for each, and
// a year-end row a year. Plausible values, not computed ones. Returns the
// number of statement rows, or -1 on failure.
int generatePayroll(AppContext& ctx, const PayrollSize& size);

} // namespace minasel::bench
