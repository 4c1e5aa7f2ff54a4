#pragma once
#include "reports/ledgerform.h"
#include "reports/printjob.h"

namespace minasel::reports {

class WaitFrame;

// A ledger through the print job: the paper is B4 when the printer offers it,
// else A4; the printer check, the preview, then the printer or a PDF file.
class LedgerPrintJob {
public:
    using Progress = std::function<void(int done, int total)>;
    // Draws the whole ledger on the canvas for the paper code.
    using DrawFn = std::function<LedgerOutcome(PrintCanvas& canvas, int paperCode, const Progress& progress)>;

    // The parent screen waits disabled while the job runs.
    LedgerPrintJob(AppContext& ctx, QWidget* parent, QString procedure, PrintJob::Hooks hooks = {});

    // The frame shown, with `text` and the progress, while the ledger is drawn.
    void showWhileDrawing(WaitFrame* frame, const QString& text);

    PrintJob::Result run(const QString& title, const QString& fileBase, const DrawFn& draw);

    int paperCode() const { return m_paper; }
    const QString& output() const { return m_output; }

    // The ledger paper of the printer the job will print on.
    static int paperFor(const QString& printer);

private:
    AppContext& m_ctx;
    QWidget* m_parent;
    QString m_procedure;
    PrintJob::Hooks m_hooks;
    WaitFrame* m_wait = nullptr;
    QString m_waitText;
    int m_paper = 0;
    QString m_output;
};

} // namespace minasel::reports
