#pragma once
#include "reports/gensenbatch.h"
#include "reports/printjob.h"
#include "reports/printoffset.h"

namespace minasel::reports {

// Withholding slips through the print job (printer check, preview, printer or
// PDF file): a year's batch from the print screen, one slip from the year-end
// screen's boxes, or the calibration sheet of the preprinted form. On the
// preprinted form the values move by the offset stored for the printer.
class GensenPrintJob {
public:
    GensenPrintJob(AppContext& ctx, QWidget* parent, PrintJob::Hooks hooks = {});

    // Logs as "PrtGensen.cmdPrint_Click".
    PrintJob::Result printBatch(int year, GensenBatch::Paper paper, const QList<PickerEntry>& employees,
                                const GensenBatch::Progress& progress = {});
    // Logs as "inpNentyo.cmdPrint_Click".
    PrintJob::Result printRows(int year, GensenBatch::Paper paper, const QString& code, const db::RowValues& nentyo,
                               const db::RowValues& sinkoku);
    PrintJob::Result printCalibration(const PrintOffset& offset);

    // The printer this run prints on (the chosen one, the default, or PDF output).
    QString targetPrinter() const;
    const QString& output() const { return m_output; }

    static PrintJob::Paper paper();

private:
    PrintJob::Result run(const QString& procedure, const QString& title, const QString& fileBase,
                         const std::function<bool(PrintCanvas&)>& draw);
    PrintJob::Result runSlips(GensenBatch& batch, const QString& procedure, int year, GensenBatch::Paper paper,
                              const GensenBatch::Progress& progress);

    AppContext& m_ctx;
    QWidget* m_parent;
    PrintJob::Hooks m_hooks;
    QString m_output;
};

} // namespace minasel::reports
