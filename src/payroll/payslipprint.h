#pragma once
#include <QString>

class QWidget;

namespace minasel {
class AppContext;
}

namespace minasel::reports {
class PrintCanvas;
}

namespace minasel::payroll {

// Prints (after a preview) the payslip of one stored statement: kind 1 salary,
// 2 bonus. Used by the statement screens' print button.
void printPayslip(AppContext& ctx, QWidget* parent, const QString& payMonth, const QString& employeeCode, int kind);

} // namespace minasel::payroll
