// Commands tax, koyo and nencho: the withholding, employment-insurance and
// year-end arithmetic from the command line, with plain results on stdout.
#include "climain.h"
#include "nencho.h"

#include "db/schema.h"
#include "nentyo/nentyocalc.h"
#include "payroll/withholdingtax.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <functional>

namespace minasel::cli {
namespace {

constexpr long long kLargestAmount = 1'000'000'000'000LL;  // a trillion yen: beyond is a typo
// The oldest rule sets reach back to the start of the Heisei era (January 1989);
// before that there are no rules here, and later ones must not stand in for them.
constexpr int kEarliestYear = 1989;
constexpr qint64 kLargestInput = 1024 * 1024;   // a year-end input is a few kilobytes

int usageError(const QString& usage, const QString& problem = QString())
{
    if (!problem.isEmpty())
        err() << "minasel-cli: " << problem << "\n";
    err() << usage;
    err().flush();
    return kUsageError;
}

bool amount(const Options& o, const QString& name, long long* v, QString* error)
{
    if (!o.has(name)) {
        *error = QStringLiteral("--%1 is required").arg(name);
        return false;
    }
    if (!o.integer(name, v, error))
        return false;
    if (*v < 0) {
        *error = QStringLiteral("--%1 must not be negative").arg(name);
        return false;
    }
    if (*v > kLargestAmount) {
        *error = QStringLiteral("--%1 is out of range").arg(name);
        return false;
    }
    return true;
}

bool dependantCount(const Options& o, int* n, QString* error)
{
    long long v = 0;
    if (!o.has(QStringLiteral("dependants"))) {
        *error = QStringLiteral("--dependants is required");
        return false;
    }
    if (!o.integer(QStringLiteral("dependants"), &v, error))
        return false;
    if (v < 0 || v > 99) {
        *error = QStringLiteral("--dependants must be 0 to 99");
        return false;
    }
    *n = int(v);
    return true;
}

bool payMonth(const Options& o, QString* month, QString* error)
{
    *month = o.value(QStringLiteral("month"));
    if (!o.has(QStringLiteral("month")) || payroll::parsePayMonth(*month) == 0) {
        *error = QStringLiteral("--month needs a pay month YYYYMM");
        return false;
    }
    if (payroll::parsePayMonth(*month) / 100 < kEarliestYear) {
        *error = QStringLiteral("--month: no rules before %1/01").arg(kEarliestYear);
        return false;
    }
    return true;
}

int printTax(const payroll::TaxResult& r)
{
    out() << r.tax << "\n";
    const QString notice = payroll::rulesNotice(r);
    if (!notice.isEmpty())
        err() << notice << "\n";
    return 0;
}

const QString kTaxUsage = QStringLiteral(
    "usage: minasel-cli tax monthly --month YYYYMM --pay N --dependants N\n"
    "       minasel-cli tax bonus --month YYYYMM --bonus N [--previous N] --dependants N\n"
    "  --pay: the month's pay after social insurance\n"
    "  --bonus: the bonus after social insurance\n"
    "  --previous: the previous month's salary after social insurance (omit: no salary)\n");

} // namespace

int cmdTax(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("month"), QStringLiteral("pay"), QStringLiteral("bonus"),
                        QStringLiteral("previous"), QStringLiteral("dependants")},
                 &error))
        return usageError(kTaxUsage, error);
    if (o.positional().size() != 1)
        return usageError(kTaxUsage, QStringLiteral("say monthly or bonus"));
    const QString kind = o.positional().first();
    QString month;
    int dependants = 0;
    if (kind == QLatin1String("monthly")) {
        long long pay = 0;
        if (o.has(QStringLiteral("bonus")) || o.has(QStringLiteral("previous")))
            return usageError(kTaxUsage, QStringLiteral("monthly takes --month, --pay and --dependants"));
        if (!payMonth(o, &month, &error) || !amount(o, QStringLiteral("pay"), &pay, &error)
            || !dependantCount(o, &dependants, &error))
            return usageError(kTaxUsage, error);
        return printTax(payroll::monthlyWithholding(month, pay, dependants));
    }
    if (kind == QLatin1String("bonus")) {
        long long bonus = 0;
        std::optional<long long> previous;
        if (o.has(QStringLiteral("pay")))
            return usageError(kTaxUsage, QStringLiteral("bonus takes --bonus, not --pay"));
        if (!payMonth(o, &month, &error) || !amount(o, QStringLiteral("bonus"), &bonus, &error)
            || !dependantCount(o, &dependants, &error))
            return usageError(kTaxUsage, error);
        if (o.has(QStringLiteral("previous"))) {
            long long p = 0;
            if (!amount(o, QStringLiteral("previous"), &p, &error))
                return usageError(kTaxUsage, error);
            previous = p;
        }
        return printTax(payroll::bonusWithholding(month, bonus, previous, dependants));
    }
    return usageError(kTaxUsage, QStringLiteral("unknown kind %1").arg(kind));
}

int cmdKoyo(const QStringList& args)
{
    static const QString usage = QStringLiteral(
        "usage: minasel-cli koyo --rate R --pay N\n"
        "  R: the employee's employment-insurance rate as a fraction (0.005)\n");
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("rate"), QStringLiteral("pay")}, &error))
        return usageError(usage, error);
    if (!o.positional().isEmpty())
        return usageError(usage, QStringLiteral("unexpected %1").arg(o.positional().first()));
    double rate = 0;
    long long pay = 0;
    if (!o.has(QStringLiteral("rate")))
        return usageError(usage, QStringLiteral("--rate is required"));
    if (!o.number(QStringLiteral("rate"), &rate, &error))
        return usageError(usage, error);
    if (!(rate >= 0 && rate < 1))
        return usageError(usage, QStringLiteral("--rate must be a fraction from 0 to below 1"));
    if (!amount(o, QStringLiteral("pay"), &pay, &error))
        return usageError(usage, error);
    out() << payroll::employmentInsurancePremium(rate, pay) << "\n";
    return 0;
}

namespace {

const QString kNenchoUsage = QStringLiteral(
    "usage: minasel-cli nencho --year YYYY --input FILE.json\n"
    "  FILE.json: an object keyed by the year-end column names (kyuryo, KYURYOTAX, ...),\n"
    "  plus TOKUTEI (incomes of each specific relative), U23 (0/1), GOKEISYOTOKU;\n"
    "  missing keys count as 0, NETYOKBN as 1\n")
    + QLatin1String(kNenchoStoredUsage);

// A whole-yen value from JSON: a number or a numeric text ("1,234" too).
bool jsonAmount(const QJsonValue& v, long long* out)
{
    double d = 0;
    if (v.isDouble()) {
        d = v.toDouble();
    } else if (v.isString()) {
        QString t = v.toString().trimmed();
        t.remove(QLatin1Char(','));
        if (t.isEmpty()) {
            *out = 0;
            return true;
        }
        bool ok = false;
        d = t.toDouble(&ok);
        if (!ok)
            return false;
    } else if (v.isNull()) {
        *out = 0;
        return true;
    } else {
        return false;
    }
    // Amounts and counts of a year-end input are never negative.
    if (!std::isfinite(d) || d < 0 || d > double(kLargestAmount))
        return false;
    *out = static_cast<long long>(std::nearbyint(d));  // ties to even
    return true;
}

} // namespace

int cmdNencho(const QStringList& args)
{
    if (args.contains(QStringLiteral("--data-dir")))
        return cmdNenchoStored(args);
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("year"), QStringLiteral("input")}, &error))
        return usageError(kNenchoUsage, error);
    if (!o.positional().isEmpty())
        return usageError(kNenchoUsage, QStringLiteral("unexpected %1").arg(o.positional().first()));
    const QString yearText = o.value(QStringLiteral("year"));
    bool ok = false;
    const int year = yearText.toInt(&ok);
    if (!o.has(QStringLiteral("year")) || yearText.size() != 4 || !ok || year < 1)
        return usageError(kNenchoUsage, QStringLiteral("--year needs a year YYYY"));
    if (year < kEarliestYear)
        return usageError(kNenchoUsage, QStringLiteral("--year: no rules before %1").arg(kEarliestYear));
    if (!o.has(QStringLiteral("input")))
        return usageError(kNenchoUsage, QStringLiteral("--input is required"));
    QFile file(o.value(QStringLiteral("input")));
    if (!file.open(QIODevice::ReadOnly))
        return usageError(kNenchoUsage, QStringLiteral("cannot read %1").arg(file.fileName()));
    // Read no more than the limit: a device or a huge file is refused, not swallowed.
    const QByteArray input = file.read(kLargestInput + 1);
    if (input.size() > kLargestInput)
        return usageError(kNenchoUsage, QStringLiteral("%1 is larger than 1 MB").arg(file.fileName()));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(input, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return usageError(kNenchoUsage, QStringLiteral("%1 is not a JSON object").arg(file.fileName()));
    const QJsonObject json = doc.object();

    nentyo::NentyoInput in;
    long long hoken1 = 0, maeHoken = 0;
    std::optional<long long> declared;
    using Setter = std::function<void(long long)>;
    auto flag = [](bool& b) { return Setter([&b](long long v) { b = v != 0; }); };
    auto money = [](long long& m) { return Setter([&m](long long v) { m = v; }); };
    auto count = [](int& c) { return Setter([&c](long long v) { c = int(std::clamp(v, -9999LL, 9999LL)); }); };
    const QList<QPair<QString, Setter>> fields = {
        {QStringLiteral("kyuryo"), money(in.kyuryo)},       {QStringLiteral("KYURYOTAX"), money(in.kyuryoTax)},
        {QStringLiteral("syoyo"), money(in.syoyo)},         {QStringLiteral("SYOYOTAX"), money(in.syoyoTax)},
        {QStringLiteral("MAEKEI"), money(in.maeKei)},       {QStringLiteral("MAETAXKEI"), money(in.maeTaxKei)},
        {QStringLiteral("HOKEN1"), money(hoken1)},          {QStringLiteral("MAEHOKEN"), money(maeHoken)},
        {QStringLiteral("HOKEN2"), money(in.hoken2)},       {QStringLiteral("KAKEKIN"), money(in.kakekin)},
        {QStringLiteral("SEMEHOKEN"), money(in.semeHoken)}, {QStringLiteral("SEMEHOKEN_NEW"), money(in.semeHokenNew)},
        {QStringLiteral("KAIGOIRYOHOKEN"), money(in.kaigoIryoHoken)},
        {QStringLiteral("NENKINHOKEN"), money(in.nenkinHoken)},
        {QStringLiteral("NENKINHOKEN_NEW"), money(in.nenkinHokenNew)},
        {QStringLiteral("SONGAIHOKEN"), money(in.songaiHoken)},
        {QStringLiteral("SONGAIHOKEN1"), money(in.songaiHoken1)},
        {QStringLiteral("HAIGUKBN"), flag(in.haigu)},       {QStringLiteral("OLDHAIGU"), flag(in.oldHaigu)},
        {QStringLiteral("HAIGUMONEY"), money(in.haiguMoney)},
        {QStringLiteral("FAMINUM"), count(in.famiNum)},     {QStringLiteral("FAMINUM1"), count(in.famiNum1)},
        {QStringLiteral("FAMINUM2"), count(in.famiNum2)},   {QStringLiteral("FAMINUM3"), count(in.famiNum3)},
        {QStringLiteral("SYUGAISYA"), count(in.syugaisya)}, {QStringLiteral("SYUGAISYA1"), count(in.syugaisya1)},
        {QStringLiteral("SYUGAISYA2"), count(in.syugaisya2)},
        {QStringLiteral("TKWOMAN"), flag(in.tkwoman)},      {QStringLiteral("SINGNAM"), flag(in.singnam)},
        {QStringLiteral("GAKUSEI"), flag(in.gakusei)},      {QStringLiteral("TYOUSEISW"), flag(in.tyouseiSw)},
        {QStringLiteral("TOKUKOJYO"), money(in.tokuKojyo)}, {QStringLiteral("NETYOKBN"), flag(in.nentyo)},
        {QStringLiteral("U23"), flag(in.under23)},
    };
    QStringList known;
    for (const auto& f : fields)
        known << f.first;
    known << QStringLiteral("TOKUTEI") << QStringLiteral("GOKEISYOTOKU");
    // The other columns of a stored year-end row may come along and are not inputs.
    const db::TableDef& nentyoTable = db::tableDef(db::Table::Nentyo);
    for (auto it = json.begin(); it != json.end(); ++it)
        if (!known.contains(it.key()) && nentyoTable.indexOf(it.key()) < 0)
            return usageError(kNenchoUsage, QStringLiteral("unknown key %1").arg(it.key()));

    for (const auto& [key, set] : fields) {
        if (!json.contains(key))
            continue;
        long long v = 0;
        if (!jsonAmount(json.value(key), &v))
            return usageError(kNenchoUsage, QStringLiteral("%1 is not a number from 0 up").arg(key));
        set(v);
    }
    in.hoken = hoken1 + maeHoken;
    if (json.contains(QStringLiteral("TOKUTEI"))) {
        const QJsonValue t = json.value(QStringLiteral("TOKUTEI"));
        if (!t.isArray())
            return usageError(kNenchoUsage, QStringLiteral("TOKUTEI must be an array of incomes"));
        for (const QJsonValue& v : t.toArray()) {
            long long income = 0;
            if (!jsonAmount(v, &income))
                return usageError(kNenchoUsage, QStringLiteral("TOKUTEI must be an array of incomes"));
            in.tokutei.push_back(income);
        }
    }
    if (json.contains(QStringLiteral("GOKEISYOTOKU")) && !json.value(QStringLiteral("GOKEISYOTOKU")).isNull()) {
        long long g = 0;
        if (!jsonAmount(json.value(QStringLiteral("GOKEISYOTOKU")), &g))
            return usageError(kNenchoUsage, QStringLiteral("GOKEISYOTOKU is not a number"));
        in.declaredTotalIncome = g;
    }

    const nentyo::NentyoResult r = nentyo::calcNentyo(year, in);
    printNenchoResult(r);
    const QString notice = nentyo::rulesNotice(r);
    if (!notice.isEmpty())
        err() << notice << "\n";
    return 0;
}

} // namespace minasel::cli
