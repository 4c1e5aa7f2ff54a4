#include "payroll/payslipprintjob.h"

#include "app/appcontext.h"
#include "payroll/payslipdata.h"
#include "payroll/paysliplayout.h"
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

reports::PrintJob::Result PayslipPrintJob::printOne(const QString& payMonth, const QString& employeeCode, int kind)
{
    const QString procedure = kind == 2 ? QStringLiteral("InpSyoyo.cmdPrint_Click") : QStringLiteral("InpKyuyo.cmdPrint_Click");
    PayslipData data;
    bool found = false;
    QString error;
    int code = 0;
    if (!readPayslip(m_ctx.db(), m_ctx.companyId, payMonth, employeeCode, kind, &data, &found, &error, &code)) {
        m_ctx.reportError(code, error, procedure);
        return reports::PrintJob::Result::Failed;
    }
    if (!found) {
        m_ctx.messages().exclamation(QStringLiteral("明細データが登録されていません。登録した後、印刷して下さい。"));
        return reports::PrintJob::Result::Cancelled;
    }
    const QString name = employeeName(m_ctx.db(), m_ctx.companyId, employeeCode);
    return run(procedure, payMonth, kind, {{employeeCode, name}}, {});
}

reports::PrintJob::Result PayslipPrintJob::printBatch(const QString& payMonth, int kind,
                                                      const QList<reports::PickerEntry>& employees,
                                                      const PayslipBatch::Progress& progress)
{
    return run(QStringLiteral("prtKyuyoSyoyo.print_data"), payMonth, kind, employees, progress);
}

reports::PrintJob::Result PayslipPrintJob::run(const QString& procedure, const QString& payMonth, int kind,
                                               const QList<reports::PickerEntry>& employees,
                                               const PayslipBatch::Progress& progress)
{
    reports::PrintJob job(m_ctx, m_parent, procedure, m_hooks);
    const QString title = QStringLiteral("%1 %2年%3月")
                              .arg(kind == 2 ? QStringLiteral("賞与明細書") : QStringLiteral("給与明細書"))
                              .arg(payMonth.left(4))
                              .arg(payMonth.mid(4, 2).toInt());
    const QString fileBase = QStringLiteral("%1_%2").arg(kind == 2 ? QStringLiteral("賞与明細書") : QStringLiteral("給与明細書"), payMonth);
    const auto result = job.run(title, fileBase, paper(), [&](reports::PrintCanvas& canvas) {
        PayslipBatch batch(m_ctx, procedure);
        return batch.print(canvas, payMonth, kind, employees, progress) == PayslipBatch::Outcome::Printed;
    });
    m_output = job.output();
    return result;
}

} // namespace minasel::payroll
