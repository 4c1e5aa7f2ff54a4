#pragma once
#include "app/screen.h"
#include "reports/ledgerperiod.h"
#include "reports/ledgerscreens.h"
#include "reports/printjob.h"

namespace minasel {
class TextField;
}

namespace minasel::reports {

class DspGetuDaityo;
class WaitFrame;

// The monthly payroll ledger: a span of pay months, printed (preview, printer or
// PDF) or shown on screen.
class PrtGetuDaityo : public Screen {
    Q_OBJECT
public:
    explicit PrtGetuDaityo(AppContext& ctx, QWidget* parent = nullptr);

    PrintJob::Hooks& printHooks() { return m_hooks; }

    // Validates the four fields (and fills an empty end); shows the refusal.
    LedgerPeriod check_period();
    void cmdPrint_Click();
    // Opens the display for the span; nullptr when there is nothing to show.
    DspGetuDaityo* cmdDisp_Click();
    // Where the last print went (PDF path or printer), "" when nothing printed.
    const QString& lastOutput() const { return m_lastOutput; }

private:
    TextField* m_year1;
    TextField* m_month1;
    TextField* m_year2;
    TextField* m_month2;
    LedgerButtons m_buttons;
    WaitFrame* m_wait;
    PrintJob::Hooks m_hooks;
    QString m_lastOutput;
};

} // namespace minasel::reports
