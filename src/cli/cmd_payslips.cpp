#include "climain.h"
#include "clisession.h"

#include "payroll/payslipbatch.h"
#include "payroll/payslipdata.h"
#include "payroll/paysliplayout.h"
#include "reports/pdfcanvas.h"

#include <QRegularExpression>

namespace minasel::cli {

namespace {

const char* kPayslipsUsage =
    "usage: minasel-cli payslips --data-dir D --company CID --month YYYYMM --kind 1|2"
    " [--employees C1,C2] --pdf OUT.pdf\n"
    "  writes the salary (1) or bonus (2) payslips of the month to a PDF, one per page\n";

} // namespace

int cmdPayslips(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("month"),
                        QStringLiteral("kind"), QStringLiteral("employees"), QStringLiteral("pdf")},
                 &error))
        return usageError(kPayslipsUsage, error);
    for (const char* required : {"data-dir", "company", "month", "kind", "pdf"})
        if (!o.has(QString::fromLatin1(required)))
            return usageError(kPayslipsUsage, QStringLiteral("--%1 is required").arg(QString::fromLatin1(required)));
    if (!o.positional().isEmpty())
        return usageError(kPayslipsUsage, QStringLiteral("unexpected argument %1").arg(o.positional().first()));
    const QString month = o.value(QStringLiteral("month"));
    static const QRegularExpression monthPattern(QStringLiteral("^\\d{4}(0[1-9]|1[0-2])$"));
    if (!monthPattern.match(month).hasMatch())
        return usageError(kPayslipsUsage, QStringLiteral("--month needs YYYYMM"));
    const QString kindText = o.value(QStringLiteral("kind"));
    if (kindText != QLatin1String("1") && kindText != QLatin1String("2"))
        return usageError(kPayslipsUsage, QStringLiteral("--kind is 1 (salary) or 2 (bonus)"));
    const int kind = kindText.toInt();
    if (!canDraw("the payslips"))
        return 1;

    CliSession session(QStringLiteral("minasel-cli-payslips"));
    if (!session.openCompany(o))
        return 1;
    AppContext& ctx = session.ctx();
    const QString cid = ctx.companyId;

    QList<reports::PickerEntry> candidates;
    if (!payroll::payslipCandidates(ctx.db(), cid, month, kind, &candidates, &error)) {
        err() << "error: " << error << "\n";
        return 1;
    }
    QList<reports::PickerEntry> chosen = candidates;
    if (o.has(QStringLiteral("employees"))) {
        const QStringList missing = pickEmployees(candidates, o.value(QStringLiteral("employees")), &chosen);
        if (!missing.isEmpty()) {
            err() << "error: no " << (kind == 2 ? "bonus" : "salary") << " statement in " << month
                  << " for: " << missing.join(QLatin1Char(',')) << "\n";
            return 1;
        }
    }
    if (chosen.isEmpty()) {
        err() << "error: no " << (kind == 2 ? "bonus" : "salary") << " statements in " << month << "\n";
        return 1;
    }

    const QString pdf = o.value(QStringLiteral("pdf"));
    reports::PdfCanvas canvas(pdf, payroll::PayslipLayout::title(kind).remove(QLatin1Char(' ')) + QLatin1Char(' ') + month);
    if (!openPdf(canvas))
        return 1;
    payroll::PayslipBatch batch(ctx, QStringLiteral("prtKyuyoSyoyo.print_data"));
    const auto outcome = batch.print(canvas, month, kind, chosen);
    if (outcome != payroll::PayslipBatch::Outcome::Printed) {
        err() << "error: the payslips could not be written (see the log)\n";
        return 1;
    }
    out() << batch.printedCount() << " payslip(s) written to " << pdf << "\n";
    return 0;
}

} // namespace minasel::cli
