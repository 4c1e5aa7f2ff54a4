#include "payroll/payslipprintjob.h"

#include "app/appcontext.h"
#include "payroll/meisairecord.h"
#include "payroll/payslipdata.h"
#include "payroll/paysliplayout.h"
#include "payroll/shahopremiums.h"
#include "reports/fonts.h"

namespace minasel::payroll {

PayslipPrintJob::PayslipPrintJob(AppContext& ctx, QWidget* parent, reports::PrintJob::Hooks hooks)
    : m_ctx(ctx), m_parent(parent), m_hooks(std::move(hooks))
{
}

reports::PrintJob::Paper PayslipPrintJob::paper()
{
    return {reports::minchoFont(), PayslipLayout::kFontSize, PayslipLayout::kPaper, PayslipLayout::kOrientation,
            PayslipLayout::kCustomSize, PayslipLayout::kCustomSize};
}

reports::PrintJob::Result PayslipPrintJob::printStatement(const MeisaiRecord& statement, const QString& employeeName)
{
    PayslipData slip = payslipFromStatement(statement);
    slip.employeeName = employeeName;
    const QString form = slip.kind == 2 ? QStringLiteral("InpSyoyo") : QStringLiteral("InpKyuyo");
    slip.shien = ShahoPremiums(m_ctx, form).shienPart(statement);
    return run(form + QStringLiteral(".cmdPrint_Click"),
               statement.payMonth, slip.kind,
               [&](PayslipBatch& batch, reports::PrintCanvas& canvas) { return batch.printSlip(canvas, slip); });
}

reports::PrintJob::Result PayslipPrintJob::printBatch(const QString& payMonth, int kind,
                                                      const QList<reports::PickerEntry>& employees,
                                                      const PayslipBatch::Progress& progress)
{
    return run(QStringLiteral("prtKyuyoSyoyo.print_data"), payMonth, kind,
               [&](PayslipBatch& batch, reports::PrintCanvas& canvas) {
                   return batch.print(canvas, payMonth, kind, employees, progress);
               });
}

reports::PrintJob::Result PayslipPrintJob::run(
    const QString& procedure, const QString& payMonth, int kind,
    const std::function<PayslipBatch::Outcome(PayslipBatch&, reports::PrintCanvas&)>& print)
{
    reports::PrintJob job(m_ctx, m_parent, procedure, m_hooks);
    const QString title = QStringLiteral("%1 %2年%3月")
                              .arg(kind == 2 ? QStringLiteral("賞与明細書") : QStringLiteral("給与明細書"))
                              .arg(payMonth.left(4))
                              .arg(payMonth.mid(4, 2).toInt());
    const QString fileBase = QStringLiteral("%1_%2").arg(kind == 2 ? QStringLiteral("賞与明細書") : QStringLiteral("給与明細書"), payMonth);
    const auto result = job.run(title, fileBase, paper(), [&](reports::PrintCanvas& canvas) {
        PayslipBatch batch(m_ctx, procedure);
        return print(batch, canvas) == PayslipBatch::Outcome::Printed;
    });
    m_output = job.output();
    return result;
}

} // namespace minasel::payroll
