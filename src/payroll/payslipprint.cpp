#include "payroll/payslipprint.h"

#include "app/appcontext.h"

namespace minasel::payroll {

// Replaced by the payslip printing work; until then printing says it is not available.
void printPayslip(AppContext& ctx, QWidget*, const QString&, const QString&, int)
{
    ctx.messages().exclamation(QStringLiteral("明細書の印刷はまだ使えません。"));
}

} // namespace minasel::payroll
