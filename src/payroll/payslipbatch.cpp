#include "payroll/payslipbatch.h"

#include "app/appcontext.h"
#include "payroll/payslipdata.h"
#include "payroll/paysliplayout.h"
#include "payroll/meisairecord.h"
#include "payroll/shahopremiums.h"
#include "reports/fonts.h"
#include "reports/printcanvas.h"
#include "reports/printpaper.h"

namespace minasel::payroll {

PayslipBatch::PayslipBatch(AppContext& ctx, QString procedure) : m_ctx(ctx), m_procedure(std::move(procedure)) {}

PayslipBatch::Outcome PayslipBatch::print(reports::PrintCanvas& canvas, const QString& payMonth, int kind,
                                          const QList<reports::PickerEntry>& employees, const Progress& progress)
{
    return run(canvas, int(employees.size()), [&](int i, PayslipData* data, bool* found) {
        const reports::PickerEntry& e = employees[i];
        QString error;
        int code = 0;
        if (!readPayslip(m_ctx.db(), m_ctx.companyId, payMonth, e.code.trimmed(), kind, data, found, &error, &code)) {
            m_ctx.reportError(code, error, m_procedure);
            return false;
        }
        // Deleted since the list was made: the others still print.
        if (!*found)
            m_missing << e.code.trimmed();
        else
            data->shien = shienPart(*data);
        data->employeeName = e.name.trimmed();
        return true;
    }, progress);
}

long long PayslipBatch::shienPart(const PayslipData& slip)
{
    // What the part is worth is worked out again from the employee's data; it prints
    // only where that gives the stored health premium (see ShahoPremiums::shienPart).
    MeisaiRecord s;
    s.kind = QString::number(slip.kind);
    s.payMonth = slip.payMonth;
    s.employeeCode = slip.employeeCode;
    s.kihonkyu = wholeYen(slip.basic);
    s.health = wholeYen(slip.health);
    s.healthKind = slip.healthKind;
    return ShahoPremiums(m_ctx, m_procedure.section(QLatin1Char('.'), 0, 0)).shienPart(s);
}

PayslipBatch::Outcome PayslipBatch::printSlip(reports::PrintCanvas& canvas, const PayslipData& slip)
{
    return run(canvas, 1, [&](int, PayslipData* data, bool* found) {
        *data = slip;
        *found = true;
        return true;
    }, {});
}

PayslipBatch::Outcome PayslipBatch::run(reports::PrintCanvas& canvas, int total, const Fetch& fetch,
                                        const Progress& progress)
{
    m_printed = 0;
    m_missing.clear();
    if (total == 0)
        return Outcome::NothingToPrint;
    if (!reports::setPrintPaper(m_ctx, canvas, reports::minchoFont(), PayslipLayout::kFontSize, PayslipLayout::kPaper,
                                PayslipLayout::kOrientation, PayslipLayout::kCustomSize, PayslipLayout::kCustomSize)) {
        canvas.abortDocument();
        return Outcome::Refused;
    }
    for (int i = 0; i < total; ++i) {
        PayslipData data;
        bool found = false;
        if (!fetch(i, &data, &found)) {
            canvas.abortDocument();
            return Outcome::Failed;
        }
        if (found) {
            data.companyName = m_ctx.companyName;
            if (m_printed > 0)
                canvas.newPage();
            PayslipLayout::draw(canvas, data);
            ++m_printed;
        }
        if (progress)
            progress(i + 1, total);
    }
    if (m_printed == 0) {
        canvas.abortDocument();
        return Outcome::NothingToPrint;
    }
    return reports::finishDocument(m_ctx, canvas, m_procedure) ? Outcome::Printed : Outcome::Failed;
}

} // namespace minasel::payroll
