#include "climain.h"
#include "clisession.h"

#include "reports/csvwriter.h"
#include "reports/getudaityoform.h"
#include "reports/kojindaityoform.h"
#include "reports/ledgerdata.h"
#include "reports/ledgerperiod.h"
#include "reports/ledgertable.h"
#include "reports/pdfcanvas.h"
#include "reports/printpaper.h"

#include <QRegularExpression>

namespace minasel::cli {

namespace {

const char* const kLedgerUsage =
    "usage: minasel-cli ledger monthly --data-dir D --company CID --from YYYYMM [--to YYYYMM]\n"
    "                                  (--pdf OUT.pdf | --csv OUT.csv) [--paper A4|B4]\n"
    "       minasel-cli ledger individual --data-dir D --company CID --year YYYY [--employees C1,C2]\n"
    "                                  (--pdf OUT.pdf | --csv OUT.csv) [--paper A4|B4]\n"
    "  monthly: the monthly payroll ledger of the span (the CSV holds every month and kind);\n"
    "  individual: the individual ledgers of the year, one employee per page (default: every\n"
    "  employee with a statement in the year). The PDF is on B4 unless --paper says A4.\n";

bool writeCsv(const reports::LedgerTable& table, const QString& path)
{
    QString error;
    if (!reports::CsvWriter::write(path, table.csvRows(), &error)) {
        err() << "error: " << error << "\n";
        return false;
    }
    out() << table.rows.size() << " row(s) written to " << path << "\n";
    return true;
}

// The PDF output, on the paper asked for or the ledger paper of a PDF output.
template <typename Print>
bool writePdf(const QString& path, const QString& paperName, const QString& title, const Print& print)
{
    reports::PdfCanvas canvas(path, title);
    if (!openPdf(canvas))
        return false;
    const int paper = paperName.isEmpty() ? reports::chooseLedgerPaper(canvas)
                                          : paperName.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0
                                              ? reports::PaperA4
                                              : reports::PaperB4;
    int pages = 0;
    if (print(canvas, paper, &pages) != reports::LedgerOutcome::Printed) {
        err() << "error: the ledger could not be written (see the log)\n";
        return false;
    }
    out() << pages << " page(s) written to " << path << "\n";
    return true;
}

int monthly(const Options& o, CliSession& run)
{
    static const QRegularExpression monthPattern(QStringLiteral("^\\d{4}(0[1-9]|1[0-2])$"));
    const QString from = o.value(QStringLiteral("from"));
    const QString to = o.has(QStringLiteral("to")) ? o.value(QStringLiteral("to")) : from;
    if (!monthPattern.match(from).hasMatch() || !monthPattern.match(to).hasMatch())
        return usageError(kLedgerUsage, QStringLiteral("--from and --to need YYYYMM with a month 01 to 12"));
    const auto period = reports::LedgerPeriod::check(from.left(4), from.mid(4), to.left(4), to.mid(4));
    if (!period.ok()) {
        err() << period.message() << "\n";
        return 1;
    }
    if (!run.openCompany(o))
        return 1;
    QList<reports::LedgerLine> lines;
    DbError error;
    if (!reports::LedgerData(run.ctx().db(), run.ctx().companyId).readPeriod(period.start, period.end, &lines, &error)) {
        err() << "error: " << error.description << "\n";
        return 1;
    }
    if (lines.isEmpty()) {
        err() << QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。") << " (no statements from "
              << period.start << " to " << period.end << ")\n";
        return 1;
    }
    if (o.has(QStringLiteral("csv")))
        return writeCsv(reports::LedgerTable::monthlyAll(lines), o.value(QStringLiteral("csv"))) ? 0 : 1;
    const QString title = QStringLiteral("月別賃金台帳 %1-%2").arg(period.start, period.end);
    return writePdf(o.value(QStringLiteral("pdf")), o.value(QStringLiteral("paper")), title,
                    [&](reports::PrintCanvas& canvas, int paper, int* pages) {
                        reports::GetuDaityoForm form(run.ctx(), QStringLiteral("PrtGetuDaityo.print_data"));
                        const auto outcome = form.print(canvas, paper, lines);
                        *pages = form.pageCount();
                        return outcome;
                    })
        ? 0
        : 1;
}

int individual(const Options& o, CliSession& run)
{
    const QString year = o.value(QStringLiteral("year"));
    if (!QRegularExpression(QStringLiteral("^\\d{4}$")).match(year).hasMatch())
        return usageError(kLedgerUsage, QStringLiteral("--year needs YYYY"));
    if (!run.openCompany(o))
        return 1;
    QList<reports::PickerEntry> candidates;
    DbError error;
    if (!reports::LedgerData(run.ctx().db(), run.ctx().companyId).readYearCandidates(year, &candidates, &error)) {
        err() << "error: " << error.description << "\n";
        return 1;
    }
    QList<reports::PickerEntry> chosen = candidates;
    if (o.has(QStringLiteral("employees"))) {
        const QStringList missing = pickEmployees(candidates, o.value(QStringLiteral("employees")), &chosen);
        if (!missing.isEmpty()) {
            err() << "error: no statement in " << year << " for: " << missing.join(QLatin1Char(',')) << "\n";
            return 1;
        }
    }
    if (chosen.isEmpty()) {
        err() << QStringLiteral("印刷可能なデータを決めた後、印刷ボタンを押して下さい。") << " (no statements in " << year
              << ")\n";
        return 1;
    }
    if (o.has(QStringLiteral("csv"))) {
        QList<reports::KojinDaityo> years;
        for (const reports::PickerEntry& e : chosen) {
            reports::KojinDaityo y;
            bool found = false;
            if (!reports::KojinDaityoForm::read(run.ctx(), e.code, year, &y, &found))
                return 1;
            if (found)
                years << y;
        }
        return writeCsv(reports::LedgerTable::individualAll(years), o.value(QStringLiteral("csv"))) ? 0 : 1;
    }
    return writePdf(o.value(QStringLiteral("pdf")), o.value(QStringLiteral("paper")),
                    QStringLiteral("個人別賃金台帳 %1").arg(year),
                    [&](reports::PrintCanvas& canvas, int paper, int* pages) {
                        reports::KojinDaityoForm form(run.ctx());
                        const auto outcome = form.print(canvas, paper, year, chosen);
                        *pages = form.pageCount();
                        return outcome;
                    })
        ? 0
        : 1;
}

} // namespace

int cmdLedger(const QStringList& args)
{
    if (args.isEmpty() || (args[0] != QLatin1String("monthly") && args[0] != QLatin1String("individual")))
        return usageError(kLedgerUsage, QStringLiteral("say monthly or individual"));
    const bool isMonthly = args[0] == QLatin1String("monthly");
    QStringList allowed{QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("pdf"),
                        QStringLiteral("csv"), QStringLiteral("paper")};
    allowed << (isMonthly ? QStringList{QStringLiteral("from"), QStringLiteral("to")}
                          : QStringList{QStringLiteral("year"), QStringLiteral("employees")});
    Options o;
    QString error;
    if (!o.parse(args.mid(1), allowed, &error))
        return usageError(kLedgerUsage, error);
    if (!o.positional().isEmpty())
        return usageError(kLedgerUsage, QStringLiteral("unexpected argument %1").arg(o.positional().first()));
    for (const QString& required : {QStringLiteral("data-dir"), QStringLiteral("company"),
                                    isMonthly ? QStringLiteral("from") : QStringLiteral("year")})
        if (o.value(required).isEmpty())
            return usageError(kLedgerUsage, QStringLiteral("--%1 is required").arg(required));
    if (o.has(QStringLiteral("pdf")) == o.has(QStringLiteral("csv")))
        return usageError(kLedgerUsage, QStringLiteral("give one of --pdf and --csv"));
    const QString paper = o.value(QStringLiteral("paper"));
    if (o.has(QStringLiteral("paper")) && paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0
        && paper.compare(QLatin1String("B4"), Qt::CaseInsensitive) != 0)
        return usageError(kLedgerUsage, QStringLiteral("--paper is A4 or B4"));
    if (o.has(QStringLiteral("pdf")) && !canDraw("the ledger"))
        return 1;
    CliSession run(QStringLiteral("minasel-cli-ledger"));
    return isMonthly ? monthly(o, run) : individual(o, run);
}

} // namespace minasel::cli
