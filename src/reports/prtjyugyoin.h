#pragma once
#include "app/screen.h"
#include "reports/printjob.h"

class QCheckBox;
class QFrame;
class QPushButton;

namespace minasel::reports {

class DspJyugyoin;
class EmployeePicker;

// The employee list: choose employees (all, or only those still employed),
// then show them in a grid or print the list on A4 landscape.
class PrtJyugyoin : public Screen {
    Q_OBJECT
public:
    explicit PrtJyugyoin(AppContext& ctx, QWidget* parent = nullptr);

    // The print steps (tests replace the dialogs).
    PrintJob::Hooks& printHooks() { return m_hooks; }
    EmployeePicker* picker() const { return m_picker; }

    // read_data: reloads the candidates (the chosen list is emptied).
    bool readData();
    // Opens the display of the chosen employees; nullptr when nothing is chosen.
    DspJyugyoin* display();
    void print();
    // Where the last print went (PDF path or printer), "" when nothing printed.
    const QString& lastOutput() const { return m_lastOutput; }

private:
    QStringList chosenCodes() const;
    void showWait(bool on);

    QCheckBox* m_activeOnly;
    EmployeePicker* m_picker;
    QPushButton* m_display;
    QPushButton* m_print;
    QPushButton* m_cancel;
    QFrame* m_msg;
    PrintJob::Hooks m_hooks;
    QString m_lastOutput;
};

} // namespace minasel::reports
