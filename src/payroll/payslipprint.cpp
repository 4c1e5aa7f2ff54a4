#include "payroll/payslipprint.h"

#include "app/appcontext.h"
#include "payroll/payslipbatch.h"
#include "payroll/payslipdata.h"
#include "payroll/payslipprintjob.h"

namespace minasel::payroll {

void printPayslip(AppContext& ctx, QWidget* parent, const QString& payMonth, const QString& employeeCode, int kind)
{
    PayslipPrintJob job(ctx, parent);
    job.printOne(payMonth, employeeCode, kind);
}

} // namespace minasel::payroll
