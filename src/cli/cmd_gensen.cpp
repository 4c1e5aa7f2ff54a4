#include "climain.h"
#include "clisession.h"

#include "app/dberror.h"
#include "reports/gensenbatch.h"
#include "reports/gensendata.h"
#include "reports/gensenlayout.h"
#include "reports/pdfcanvas.h"
#include "reports/printoffset.h"

namespace minasel::cli {

namespace {

const char* kGensenUsage =
    "usage: minasel-cli gensen --data-dir D --company CID --year YYYY [--employees C1,C2]\n"
    "                          --paper plain|form --pdf OUT.pdf\n"
    "  writes the withholding slips of the year from the stored year-end rows: on plain paper\n"
    "  four copies per employee, on the preprinted form (form) the values alone, moved by the\n"
    "  offset stored for the PDF output\n";

} // namespace

int cmdGensen(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("year"),
                        QStringLiteral("employees"), QStringLiteral("paper"), QStringLiteral("pdf")},
                 &error))
        return usageError(kGensenUsage, error);
    for (const char* required : {"data-dir", "company", "year", "paper", "pdf"})
        if (!o.has(QString::fromLatin1(required)))
            return usageError(kGensenUsage, QStringLiteral("--%1 is required").arg(QString::fromLatin1(required)));
    if (!o.positional().isEmpty())
        return usageError(kGensenUsage, QStringLiteral("unexpected argument %1").arg(o.positional().first()));
    long long year = 0;
    if (!o.integer(QStringLiteral("year"), &year, &error) || year < 1989 || year > 2099)
        return usageError(kGensenUsage, QStringLiteral("--year needs a year from 1989 to 2099"));
    const QString paperText = o.value(QStringLiteral("paper"));
    if (paperText != QLatin1String("plain") && paperText != QLatin1String("form"))
        return usageError(kGensenUsage, QStringLiteral("--paper is plain or form"));
    const auto paper = paperText == QLatin1String("plain") ? reports::GensenBatch::Paper::Plain
                                                            : reports::GensenBatch::Paper::Form;
    if (!canDraw("the slips"))
        return 1;

    CliSession session(QStringLiteral("minasel-cli-gensen"));
    if (!session.openCompany(o))
        return 1;
    AppContext& ctx = session.ctx();
    const QString cid = ctx.companyId;

    QList<reports::PickerEntry> chosen;
    DbError dbError;
    if (!reports::gensenCandidates(ctx.db(), cid, int(year), &chosen, &dbError)) {
        err() << "error: " << dbError.description << "\n";
        return 1;
    }
    if (o.has(QStringLiteral("employees"))) {
        const QList<reports::PickerEntry> candidates = chosen;
        const QStringList missing = pickEmployees(candidates, o.value(QStringLiteral("employees")), &chosen);
        if (!missing.isEmpty()) {
            err() << "error: no year-end row of " << year << " for: " << missing.join(QLatin1Char(',')) << "\n";
            return 1;
        }
    }
    if (chosen.isEmpty()) {
        err() << "error: no year-end rows in " << year << "\n";
        return 1;
    }

    reports::GensenBatch batch(ctx, QStringLiteral("PrtGensen.cmdPrint_Click"));
    if (!batch.prepare(int(year), chosen))
        return 1;   // the reason is on stderr already
    if (paper == reports::GensenBatch::Paper::Form) {
        reports::PrintOffset offset;
        if (!reports::readPrintOffset(ctx.db(), AppContext::pdfPrinterName(), reports::gensenFormName(), &offset,
                                      &dbError)) {
            err() << "error: " << dbError.description << "\n";
            return 1;
        }
        batch.setOffset(reports::GensenLayout::mmToTwips(offset.x), reports::GensenLayout::mmToTwips(offset.y));
    }

    const QString pdf = o.value(QStringLiteral("pdf"));
    reports::PdfCanvas canvas(pdf, QStringLiteral("給与所得の源泉徴収票 %1").arg(reports::GensenLayout::yearCaption(int(year))));
    if (!openPdf(canvas))
        return 1;
    if (batch.print(canvas, paper) != reports::GensenBatch::Outcome::Printed) {
        err() << "error: the slips could not be written\n";
        return 1;
    }
    out() << batch.printedCount() << " slip(s) written to " << pdf << "\n";
    return 0;
}

} // namespace minasel::cli
