#pragma once
#include "app/screen.h"
#include "reports/printjob.h"

class QPushButton;
class QRadioButton;

namespace minasel {
class NumberField;
}

namespace minasel::reports {
class EmployeePicker;
class WaitFrame;
}

namespace minasel::payroll {

// The month's payslips in one go: salary or bonus, the pay month, and the
// employees (among those with a stored statement of that kind and month).
class PrtKyuyoSyoyo : public Screen {
    Q_OBJECT
public:
    explicit PrtKyuyoSyoyo(AppContext& ctx, QWidget* parent = nullptr);

    // The print steps (tests replace the dialogs).
    reports::PrintJob::Hooks& printHooks() { return m_hooks; }
    reports::EmployeePicker* picker() const { return m_picker; }
    int kind() const;
    QString payMonth() const;   // "yyyymm", "" while the month is not valid

    // Reloads the candidates for the kind and month (the chosen list is emptied).
    bool readData();
    void print();
    // Where the last print went (PDF path or printer), "" when nothing printed.
    const QString& lastOutput() const { return m_lastOutput; }

private:
    QRadioButton* m_salary;
    QRadioButton* m_bonus;
    NumberField* m_year;
    NumberField* m_month;
    reports::EmployeePicker* m_picker;
    QPushButton* m_print;
    QPushButton* m_cancel;
    reports::WaitFrame* m_msg;
    reports::PrintJob::Hooks m_hooks;
    QString m_lastOutput;
};

} // namespace minasel::payroll
