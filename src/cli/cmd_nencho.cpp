// nencho over the stored rows of a company: each employee as the year-end screen
// computes him, optionally registered with his December balance.
#include "nencho.h"

#include "climain.h"
#include "clisession.h"

#include "nentyo/nentyobatch.h"

#include <QDir>

namespace minasel::cli {

namespace {

int usage(const QString& problem)
{
    err() << "minasel-cli: " << problem << "\nusage:\n" << kNenchoStoredUsage;
    err().flush();
    return kUsageError;
}

QString jsonNumber(double v)
{
    QString s = QString::number(v, 'f', 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

} // namespace

void printNenchoResult(const nentyo::NentyoResult& r, const QString& code)
{
    const QList<QPair<const char*, long long>> results = {
        {"P", r.p}, {"T", r.t}, {"KOJYOGO", r.kojyogo}, {"TYOUSEI", r.tyousei},
        {"SEMEKOJYO", r.semeKojyo}, {"SONGAKOJYO", r.songaKojyo}, {"HAIGUKOJYO", r.haiguKojyo},
        {"TOKUTEIKOJYO", r.tokuteiKojyo}, {"KISOKOJYO", r.kisoKojyo}, {"HFKSKOJYO", r.hfksKojyo},
        {"KOJYOKEI", r.kojyoKei}, {"SASIMONEY", r.sasiMoney}, {"YEARTAX", r.yearTax},
    };
    // Written by hand to keep the order of the year-end sheet.
    out() << "{";
    if (!code.isEmpty())
        out() << "\"JGICODE\": \"" << code << "\", ";
    for (const auto& [key, value] : results)
        out() << "\"" << key << "\": " << value << ", ";
    out() << "\"CALYEARTAX\": " << jsonNumber(r.calYearTax) << ", ";
    out() << "\"KAKUTETAX\": " << r.kakuteTax << ", \"SASIHIKI\": " << r.sasihiki << ", ";
    out() << "\"RULES\": \"" << r.rules << "\", ";
    out() << "\"NEWERRULESMISSING\": " << (r.newerRulesMissing ? "true" : "false") << ", ";
    out() << "\"OVERPAYLIMIT\": " << (r.overPayLimit ? "true" : "false") << "}\n";
    if (r.overPayLimit)
        err() << (code.isEmpty() ? QString() : code + QStringLiteral(": "))
              << QStringLiteral("給与等の金額が2,000万円を超えるため、年末調整の対象外です。") << "\n";
}

int cmdNenchoStored(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args,
                 {QStringLiteral("data-dir"), QStringLiteral("company"), QStringLiteral("year"),
                  QStringLiteral("employee")},
                 &error, {QStringLiteral("register")}))
        return usage(error);
    if (!o.positional().isEmpty())
        return usage(QStringLiteral("unexpected %1").arg(o.positional().first()));
    for (const char* required : {"data-dir", "company", "year"})
        if (o.value(QLatin1String(required)).isEmpty())
            return usage(QStringLiteral("--%1 is required").arg(QLatin1String(required)));
    const QString year = o.value(QStringLiteral("year"));
    bool ok = false;
    if (year.size() != 4 || year.toInt(&ok) < 1989 || !ok || year.toInt() > 2099)
        return usage(QStringLiteral("--year needs a year from 1989 to 2099"));

    const bool registering = o.has(QStringLiteral("register"));
    const QString dataDir = QDir(o.value(QStringLiteral("data-dir"))).absolutePath();
    // Registering writes: not while the program, or another writer, has the data
    // (the session takes the one-copy lock); computing only reads.
    CliSession s(QStringLiteral("minasel-cli-nencho"));
    if (!s.open(dataDir, registering ? CliSession::Use::Writes : CliSession::Use::Reads)
        || !s.chooseCompany(o.value(QStringLiteral("company"))))
        return 1;
    const QString code = o.value(QStringLiteral("employee")).trimmed();
    nentyo::NentyoBatch batch(s.ctx());
    QList<nentyo::NentyoBatch::Employee> employees;
    bool unknown = false;
    if (!batch.compute(year, code, &employees, &unknown)) {
        if (unknown)
            err() << "error: employee " << code << " has no pay statements in " << year << "\n";
        return 1;
    }
    if (registering && !batch.registerAll(employees)) {
        err() << "error: registration failed, nothing was stored\n";
        return 1;
    }
    for (const auto& e : employees)
        printNenchoResult(e.result, e.record.code());
    if (!employees.isEmpty() && !nentyo::rulesNotice(employees.first().result).isEmpty())
        err() << nentyo::rulesNotice(employees.first().result) << "\n";
    if (registering)
        err() << "registered " << employees.size() << " year-end adjustments of company " << s.ctx().companyId
              << " for " << year << "\n";
    return 0;
}

} // namespace minasel::cli
