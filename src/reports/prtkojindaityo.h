#pragma once
#include "app/screen.h"
#include "reports/ledgerscreens.h"
#include "reports/printjob.h"

namespace minasel {
class TextField;
}

namespace minasel::reports {

class DspKojinDaityo;
class EmployeePicker;
class WaitFrame;

// The individual ledger of a year: the employees chosen with the picker (among
// those with a statement in the year), printed one per page or shown on screen.
class PrtKojinDaityo : public Screen {
    Q_OBJECT
public:
    explicit PrtKojinDaityo(AppContext& ctx, QWidget* parent = nullptr);

    PrintJob::Hooks& printHooks() { return m_hooks; }
    EmployeePicker* picker() const { return m_picker; }
    QString year() const;

    // read_data: the candidates of the year (the chosen list is emptied).
    bool read_data();
    void cmdPrint_Click();
    // Opens the display for the chosen employees; nullptr when none is chosen.
    DspKojinDaityo* cmdDisp_Click();
    const QString& lastOutput() const { return m_lastOutput; }

private:
    TextField* m_year;
    QString m_loadedYear;
    EmployeePicker* m_picker;
    LedgerButtons m_buttons;
    WaitFrame* m_wait;
    PrintJob::Hooks m_hooks;
    QString m_lastOutput;
};

} // namespace minasel::reports
