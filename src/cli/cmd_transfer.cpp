#include "climain.h"
#include "clisession.h"

#include "reports/pdfcanvas.h"
#include "transfer/bankcsvimport.h"
#include "transfer/transferfile.h"
#include "transfer/transferlistlayout.h"

#include <QFile>
#include <QRegularExpression>

namespace minasel::cli {

namespace {

const char* const kTransferUsage =
    "usage: minasel-cli transfer --data-dir D --company CID --month YYYYMM --kind 1|2 [--date MMDD] [--crlf]\n"
    "                            --out FILE [--list OUT.pdf]\n"
    "       minasel-cli transfer import --data-dir D --company CID --csv FILE [--preview]\n"
    "  writes the bank transfer file (全銀協 fixed records, 給与振込 11 / 賞与振込 12) of the month's\n"
    "  salary (1) or bonus (2) statements for every employee paid by transfer; --date defaults to the\n"
    "  company's usual pay day (the Friday before when it is a weekend); --list also writes the\n"
    "  transfer list as a PDF.\n"
    "  import: reads employees' accounts from CSV (code, bank, branch, kind, number, holder kana\n"
    "  [, bank name, branch name]), shows every line and stores them all, or none when a line has a\n"
    "  fault; --preview only shows them.\n";

const QString kForm = QStringLiteral("minasel-cli.transfer");

bool required(const Options& o, const QStringList& names, QString* missing)
{
    for (const QString& n : names)
        if (o.value(n).isEmpty()) {
            *missing = QStringLiteral("--%1 is required").arg(n);
            return false;
        }
    return true;
}

int importCsv(const Options& o)
{
    QFile file(o.value(QStringLiteral("csv")));
    if (!file.open(QIODevice::ReadOnly)) {
        err() << "error: cannot read " << file.fileName() << ": " << file.errorString() << "\n";
        return 1;
    }
    const QByteArray bytes = file.readAll();
    const bool preview = o.has(QStringLiteral("preview"));
    // Storing writes the database: the one-copy lock first (a preview only reads).
    CliSession session(QStringLiteral("minasel-cli-transfer"));
    if (!session.openCompany(o, preview ? CliSession::Use::Reads : CliSession::Use::Writes))
        return 1;
    transfer::BankCsvImport import(session.ctx(), kForm);
    QList<transfer::BankCsvImport::Row> rows;
    QString error;
    if (!import.read(bytes, &rows, &error)) {
        err() << "error: " << error << "\n";
        return 1;
    }
    for (const QStringList& line : transfer::BankCsvImport::preview(rows))
        out() << line.join(QLatin1Char('\t')) << "\n";
    const int faults = transfer::BankCsvImport::errorCount(rows);
    if (faults > 0 || rows.isEmpty()) {
        err() << "error: " << (rows.isEmpty() ? QStringLiteral("取り込むデータがありません。")
                                              : QStringLiteral("誤りのある行が %1 行あるため、何も登録していません。").arg(faults))
              << "\n";
        return 1;
    }
    if (preview) {
        out() << rows.size() << " line(s) can be stored; nothing stored (--preview)\n";
        return 0;
    }
    if (!import.store(rows, &error)) {
        err() << "error: " << error << "\n";
        return 1;
    }
    out() << rows.size() << " account(s) stored for company " << session.ctx().companyId << "\n";
    return 0;
}

int writeTransfer(const Options& o)
{
    static const QRegularExpression month(QStringLiteral("^\\d{4}(0[1-9]|1[0-2])$"));
    const QString payMonth = o.value(QStringLiteral("month"));
    if (!month.match(payMonth).hasMatch())
        return usageError(kTransferUsage, QStringLiteral("--month needs YYYYMM with a month 01 to 12"));
    const QString kind = o.value(QStringLiteral("kind"));
    if (kind != QLatin1String("1") && kind != QLatin1String("2"))
        return usageError(kTransferUsage, QStringLiteral("--kind is 1 (salary) or 2 (bonus)"));
    QString date = o.value(QStringLiteral("date"));
    if (!date.isEmpty() && !transfer::TransferData::checkDate(date, payMonth).isEmpty())
        return usageError(kTransferUsage, QStringLiteral("--date needs MMDD, a day of the month"));

    CliSession session(QStringLiteral("minasel-cli-transfer"));
    if (!session.openCompany(o))
        return 1;
    AppContext& ctx = session.ctx();
    if (date.isEmpty()) {
        transfer::CompanyBank company;
        bool found = false;
        if (transfer::BankAccounts(ctx, kForm).readCompany(&company, &found) && found)
            date = transfer::TransferData::defaultDate(payMonth, company.payDay);
    }
    QList<transfer::TransferLine> lines;
    if (!transfer::TransferData(ctx, kForm).read(payMonth, kind.toInt(), &lines)) {
        err() << "error: the statements could not be read (see the log)\n";
        return 1;
    }
    transfer::TransferFile::Request request{payMonth, kind.toInt(), date, o.has(QStringLiteral("crlf")), {}};
    for (const transfer::TransferLine& l : lines) {
        if (l.transferable())
            request.codes << l.code;
        else
            out() << "not transferred: " << l.code << ' ' << l.name << ": " << l.exclusion() << "\n";
    }
    transfer::TransferFile::Result result;
    QString error;
    if (!transfer::TransferFile(ctx, kForm).prepare(request, &result, &error)) {
        err() << "error: " << QString(error).replace(QLatin1Char('\n'), QLatin1Char(' ')) << "\n";
        return 1;
    }
    const QString path = o.value(QStringLiteral("out"));
    if (!transfer::TransferFile::write(path, result.bytes, &error)) {
        err() << "error: " << error << "\n";
        return 1;
    }
    out() << "trailer " << result.summary.trailerCount << " record(s), " << result.summary.trailerTotal
          << " yen = statements " << result.lines.size() << ", " << result.statementTotal << " yen; transfer date "
          << date << "; written to " << path << "\n";
    const QString list = o.value(QStringLiteral("list"));
    if (!list.isEmpty()) {
        reports::PdfCanvas canvas(list, transfer::TransferListLayout::title());
        if (!openPdf(canvas))
            return 1;
        if (transfer::TransferListLayout::print(ctx, canvas, result, kForm + QStringLiteral(".print_list"))
            != transfer::TransferListLayout::Outcome::Printed) {
            err() << "error: the transfer list could not be written (see the log)\n";
            return 1;
        }
        out() << "transfer list on " << canvas.pageCount() << " page(s) written to " << list << "\n";
    }
    return 0;
}

} // namespace

int cmdTransfer(const QStringList& args)
{
    QStringList rest = args;
    const bool import = !rest.isEmpty() && rest.first() == QLatin1String("import");
    if (import)
        rest.removeFirst();
    Options o;
    QString error;
    const QStringList allowed = import ? QStringList{QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("csv")}
                                       : QStringList{QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("month"),
                                                     QStringLiteral("kind"), QStringLiteral("date"), QStringLiteral("out"),
                                                     QStringLiteral("list")};
    const QStringList flags = import ? QStringList{QStringLiteral("preview")} : QStringList{QStringLiteral("crlf")};
    if (!o.parse(rest, allowed, &error, flags))
        return usageError(kTransferUsage, error);
    if (!o.positional().isEmpty())
        return usageError(kTransferUsage, QStringLiteral("unexpected argument %1").arg(o.positional().first()));
    const QStringList needed = import ? QStringList{QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("csv")}
                                      : QStringList{QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("month"),
                                                    QStringLiteral("kind"), QStringLiteral("out")};
    if (!required(o, needed, &error))
        return usageError(kTransferUsage, error);
    return import ? importCsv(o) : writeTransfer(o);
}

} // namespace minasel::cli
