// Command juminzei: the standard split of a yearly resident tax, and the notices of a
// tax year read from CSV into a company (previewed, stored only with --yes).
#include "climain.h"
#include "clisession.h"

#include "payroll/juminzeirepository.h"

namespace minasel::cli {

namespace {

constexpr long long kLargestAmount = 1'000'000'000LL;   // a billion yen of resident tax is a typo

const QString kUsage = QStringLiteral(
    "usage: minasel-cli juminzei split --amount N\n"
    "       minasel-cli juminzei import --data-dir D --company CID --year YYYY --csv FILE [--yes]\n"
    "  split: the twelve instalments June to May of a yearly amount (100 yen units, the rest in June)\n"
    "  import: the notices of tax year YYYY (June YYYY to May YYYY+1) from a CSV file of lines\n"
    "    employee code, yearly amount, June, July, ..., May\n"
    "    (a first line of headings 6月 ... 5月 is allowed); shows what would change and stores\n"
    "    it only with --yes; a file with any faulty line stores nothing\n");

int usageError(const QString& problem)
{
    err() << "minasel-cli: " << problem << "\n" << kUsage;
    err().flush();
    return kUsageError;
}

int split(const Options& o)
{
    long long amount = 0;
    QString error;
    if (!o.has(QStringLiteral("amount")))
        return usageError(QStringLiteral("--amount is required"));
    if (!o.integer(QStringLiteral("amount"), &amount, &error))
        return usageError(error);
    if (amount < 0 || amount > kLargestAmount)
        return usageError(QStringLiteral("--amount must be 0 to %1").arg(kLargestAmount));
    const auto amounts = payroll::standardSplit(amount);
    for (int i = 0; i < payroll::JuminzeiSchedule::kMonths; ++i)
        out() << payroll::calendarMonthOf(i) << "月\t" << amounts[size_t(i)] << "\n";
    return 0;
}

int import(const Options& o)
{
    for (const char* required : {"data-dir", "company", "year", "csv"})
        if (o.value(QString::fromLatin1(required)).isEmpty())
            return usageError(QStringLiteral("--%1 is required").arg(QString::fromLatin1(required)));
    long long year = 0;
    QString error;
    if (!o.integer(QStringLiteral("year"), &year, &error))
        return usageError(error);
    if (year < 1989 || year > 2999)
        return usageError(QStringLiteral("--year needs the tax year as four digits (1989 or later)"));
    const bool store = o.has(QStringLiteral("yes"));

    CliSession session(QStringLiteral("minasel-cli-juminzei"));
    if (!session.openCompany(o, store ? CliSession::Use::Writes : CliSession::Use::Reads))
        return 1;
    payroll::JuminzeiRepository repo(session.ctx(), QStringLiteral("DspJuminzei"));
    payroll::JuminzeiImport import;
    if (!repo.readCsv(o.value(QStringLiteral("csv")), int(year), &import, &error)) {
        err() << "error: " << (error.isEmpty() ? QStringLiteral("the database could not be read (see the log)") : error)
              << "\n";
        return 1;
    }
    if (!import.ok()) {
        for (const QString& e : import.errors())
            err() << e << "\n";
        err() << "nothing stored: mend the lines above and import again\n";
        return 1;
    }
    out() << payroll::JuminzeiImport::previewHeadings().join(QLatin1Char('\t')) << "\n";
    for (const QStringList& row : import.previewRows())
        out() << row.join(QLatin1Char('\t')) << "\n";
    const QList<payroll::JuminzeiSchedule> changes = import.schedules();
    const QString tally = QStringLiteral("%1: new %2, changed %3, unchanged %4")
                              .arg(payroll::taxYearName(int(year)))
                              .arg(import.count(payroll::JuminzeiImport::Change::New))
                              .arg(import.count(payroll::JuminzeiImport::Change::Changed))
                              .arg(import.count(payroll::JuminzeiImport::Change::Same));
    if (!store) {
        out() << tally << "; nothing stored (give --yes to store)\n";
        return 0;
    }
    if (!changes.isEmpty() && !repo.save(changes)) {
        err() << "error: the notices could not be stored (see the log); nothing stored\n";
        return 1;
    }
    out() << tally << "; " << changes.size() << " stored\n";
    return 0;
}

} // namespace

int cmdJuminzei(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("amount"), QStringLiteral("data-dir"), QStringLiteral("company"),
                        QStringLiteral("year"), QStringLiteral("csv")},
                 &error, {QStringLiteral("yes")}))
        return usageError(error);
    if (o.positional().size() != 1)
        return usageError(QStringLiteral("say split or import"));
    const QString what = o.positional().first();
    if (what == QLatin1String("split")) {
        for (const char* other : {"data-dir", "company", "year", "csv", "yes"})
            if (o.has(QString::fromLatin1(other)))
                return usageError(QStringLiteral("split takes --amount alone"));
        return split(o);
    }
    if (what == QLatin1String("import")) {
        if (o.has(QStringLiteral("amount")))
            return usageError(QStringLiteral("import takes no --amount"));
        return import(o);
    }
    return usageError(QStringLiteral("say split or import"));
}

} // namespace minasel::cli
