#include "reports/gensenprintjob.h"

#include "app/appcontext.h"
#include "app/dberror.h"
#include "reports/fonts.h"
#include "reports/gensenlayout.h"

#include <QPrinterInfo>

namespace minasel::reports {

namespace {
const QString kBatchProcedure = QStringLiteral("PrtGensen.cmdPrint_Click");
const QString kScreenProcedure = QStringLiteral("inpNentyo.cmdPrint_Click");
}

GensenPrintJob::GensenPrintJob(AppContext& ctx, QWidget* parent, PrintJob::Hooks hooks)
    : m_ctx(ctx), m_parent(parent), m_hooks(std::move(hooks))
{
}

PrintJob::Paper GensenPrintJob::paper()
{
    return {minchoFont(),         GensenLayout::kFontSize,     GensenLayout::kPaper,
            GensenLayout::kOrientation, GensenLayout::kCustomHeight, GensenLayout::kCustomWidth};
}

QString GensenPrintJob::targetPrinter() const
{
    const QStringList installed =
        m_hooks.installedPrinters ? m_hooks.installedPrinters() : QPrinterInfo::availablePrinterNames();
    return PrintJob::targetPrinter(m_ctx.printerName, installed);
}

PrintJob::Result GensenPrintJob::run(const QString& procedure, const QString& title,
                                     const QString& fileBase, const std::function<bool(PrintCanvas&)>& draw)
{
    PrintJob job(m_ctx, m_parent, procedure, m_hooks);
    const PrintJob::Result result = job.run(title, fileBase, paper(), draw);
    m_output = job.output();
    return result;
}

PrintJob::Result GensenPrintJob::runSlips(GensenBatch& batch, const QString& procedure, int year,
                                          GensenBatch::Paper paper, const GensenBatch::Progress& progress)
{
    if (paper == GensenBatch::Paper::Form) {
        PrintOffset offset;
        DbError error;
        if (!readPrintOffset(m_ctx.db(), targetPrinter(), gensenFormName(), &offset, &error)) {
            m_ctx.reportError(error.code, error.description, procedure);
            return PrintJob::Result::Failed;
        }
        batch.setOffset(GensenLayout::mmToTwips(offset.x), GensenLayout::mmToTwips(offset.y));
    }
    const QString caption = GensenLayout::yearCaption(year);
    return run(procedure, QStringLiteral("給与所得の源泉徴収票 %1").arg(caption),
               QStringLiteral("源泉徴収票_%1").arg(year), [&](PrintCanvas& canvas) {
                   return batch.print(canvas, paper, progress) == GensenBatch::Outcome::Printed;
               });
}

PrintJob::Result GensenPrintJob::printBatch(int year, GensenBatch::Paper paper, const QList<PickerEntry>& employees,
                                            const GensenBatch::Progress& progress)
{
    m_output.clear();
    GensenBatch batch(m_ctx, kBatchProcedure);
    if (!batch.prepare(year, employees))
        return PrintJob::Result::Cancelled;
    return runSlips(batch, kBatchProcedure, year, paper, progress);
}

PrintJob::Result GensenPrintJob::printRows(int year, GensenBatch::Paper paper, const QString& code,
                                           const db::RowValues& nentyo, const db::RowValues& sinkoku)
{
    m_output.clear();
    GensenBatch batch(m_ctx, kScreenProcedure);
    if (!batch.prepareRows(year, code, nentyo, sinkoku))
        return PrintJob::Result::Cancelled;
    return runSlips(batch, kScreenProcedure, year, paper, {});
}

PrintJob::Result GensenPrintJob::printCalibration(const PrintOffset& offset)
{
    m_output.clear();
    GensenBatch batch(m_ctx, QStringLiteral("PrtGensen.cmdTestPrint_Click"));
    const QString printer = targetPrinter();
    return run(QStringLiteral("PrtGensen.cmdTestPrint_Click"), QStringLiteral("源泉徴収票 原紙位置合わせ"),
               QStringLiteral("源泉徴収票_位置合わせ"), [&](PrintCanvas& canvas) {
                   return batch.printCalibration(canvas, printer, offset.x, offset.y) == GensenBatch::Outcome::Printed;
               });
}

} // namespace minasel::reports
