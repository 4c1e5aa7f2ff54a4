#pragma once
#include "payroll/payslipbatch.h"
#include "reports/printjob.h"

namespace minasel::payroll {

struct MeisaiRecord;

// Payslips through the print job (printer check, preview, printer or PDF file):
// one slip from a statement screen, or a month's batch.
class PayslipPrintJob {
public:
    PayslipPrintJob(AppContext& ctx, QWidget* parent, reports::PrintJob::Hooks hooks = {});

    // A statement as a screen shows it, registered or not.
    reports::PrintJob::Result printStatement(const MeisaiRecord& statement, const QString& employeeName);
    // The chosen employees' slips of the month, one per page.
    reports::PrintJob::Result printBatch(const QString& payMonth, int kind, const QList<reports::PickerEntry>& employees,
                                         const PayslipBatch::Progress& progress = {});

    const QString& output() const { return m_output; }

    static reports::PrintJob::Paper paper();

private:
    reports::PrintJob::Result run(const QString& procedure, const QString& payMonth, int kind,
                                  const std::function<PayslipBatch::Outcome(PayslipBatch&, reports::PrintCanvas&)>& print);

    AppContext& m_ctx;
    QWidget* m_parent;
    reports::PrintJob::Hooks m_hooks;
    QString m_output;
};

} // namespace minasel::payroll
