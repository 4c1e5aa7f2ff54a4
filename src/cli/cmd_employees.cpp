#include "climain.h"
#include "clisession.h"

#include "reports/csvwriter.h"
#include "reports/employeelist.h"
#include "reports/employeelistlayout.h"
#include "reports/pdfcanvas.h"

namespace minasel::cli {

namespace {

const char* kEmployeesUsage =
    "usage: minasel-cli employees --data-dir D --company CID [--active-only] (--pdf OUT.pdf | --csv OUT.csv)\n"
    "  writes the employee list of the company (all, or those still employed) as a PDF in the printed\n"
    "  layout and/or as a CSV file with the headings of the display screen; individual numbers never\n"
    "  appear in either\n";

} // namespace

int cmdEmployees(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("pdf"), QStringLiteral("csv")},
                 &error, {QStringLiteral("active-only")}))
        return usageError(kEmployeesUsage, error);
    if (!o.positional().isEmpty())
        return usageError(kEmployeesUsage, QStringLiteral("unexpected argument %1").arg(o.positional().first()));
    for (const char* required : {"data-dir", "company"})
        if (o.value(QString::fromLatin1(required)).isEmpty())
            return usageError(kEmployeesUsage, QStringLiteral("--%1 is required").arg(QString::fromLatin1(required)));
    const QString pdf = o.value(QStringLiteral("pdf"));
    const QString csv = o.value(QStringLiteral("csv"));
    if (pdf.isEmpty() && csv.isEmpty())
        return usageError(kEmployeesUsage, QStringLiteral("--pdf or --csv is required"));

    CliSession session(QStringLiteral("minasel-cli-employees"));
    if (!session.openCompany(o))
        return 1;
    AppContext& ctx = session.ctx();
    const bool activeOnly = o.has(QStringLiteral("active-only"));
    QList<reports::EmployeeListEntry> entries;
    if (!reports::EmployeeList(ctx).readAll(activeOnly, reports::EmployeeList::printProcedures(), &entries)) {
        err() << "error: the employees could not be read (see the log)\n";
        return 1;
    }
    if (entries.isEmpty()) {
        err() << "error: company " << ctx.companyId << " has no " << (activeOnly ? "employees still employed" : "employees")
              << "\n";
        return 1;
    }

    if (!csv.isEmpty()) {
        if (!reports::CsvWriter::write(csv, reports::EmployeeList::table(entries), &error)) {
            err() << "error: " << error << "\n";
            return 1;
        }
        out() << entries.size() << " employee(s) written to " << csv << "\n";
    }
    if (!pdf.isEmpty()) {
        reports::PdfCanvas canvas(pdf, QStringLiteral("従業員名簿"));
        if (!openPdf(canvas))
            return 1;
        if (reports::EmployeeListLayout::print(ctx, canvas, entries) != reports::EmployeeListLayout::Outcome::Printed) {
            err() << "error: the employee list could not be written (see the log)\n";
            return 1;
        }
        out() << entries.size() << " employee(s) on " << canvas.pageCount() << " page(s) written to " << pdf << "\n";
    }
    return 0;
}

} // namespace minasel::cli
