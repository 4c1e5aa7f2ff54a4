// Command nencho: the year-end adjustment from the command line, of one record typed
// into a JSON file or of the stored rows of a company's employees.
#include "climain.h"
#include "clisession.h"

#include "app/startup.h"
#include "db/schema.h"
#include "nentyo/nentyobatch.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <cmath>
#include <functional>

namespace minasel::cli {
namespace {

const QString kNenchoUsage = QStringLiteral(
    "usage: minasel-cli nencho --year YYYY --input FILE.json\n"
    "       minasel-cli nencho --data-dir D --company CID --year YYYY [--employee CODE] [--register]\n"
    "  FILE.json: an object keyed by the year-end column names (kyuryo, KYURYOTAX, ...),\n"
    "  plus TOKUTEI (incomes of each specific relative), U23 (0/1), GOKEISYOTOKU;\n"
    "  missing keys count as 0, NETYOKBN as 1\n"
    "  --data-dir: every employee with pay rows in the year (or --employee), from the stored\n"
    "  year-end row and declarations when there is one, else from the year's statements, as\n"
    "  the year-end screen computes them; --register stores them with the December balance\n");

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
    if (!std::isfinite(d) || std::fabs(d) > double(kLargestAmount))
        return false;
    *out = static_cast<long long>(std::nearbyint(d));  // ties to even
    return true;
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

// One line of JSON in the order of the year-end sheet, written by hand to keep it;
// the employee first when the result is one of a company's.
void printResult(const nentyo::NentyoResult& r, const QString& code = QString())
{
    const QList<QPair<const char*, long long>> results = {
        {"P", r.p}, {"T", r.t}, {"KOJYOGO", r.kojyogo}, {"TYOUSEI", r.tyousei},
        {"SEMEKOJYO", r.semeKojyo}, {"SONGAKOJYO", r.songaKojyo}, {"HAIGUKOJYO", r.haiguKojyo},
        {"TOKUTEIKOJYO", r.tokuteiKojyo}, {"KISOKOJYO", r.kisoKojyo}, {"HFKSKOJYO", r.hfksKojyo},
        {"KOJYOKEI", r.kojyoKei}, {"SASIMONEY", r.sasiMoney}, {"YEARTAX", r.yearTax},
    };
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

// One record typed into a JSON file.
int fromFile(const Options& o, int year)
{
    QFile file(o.value(QStringLiteral("input")));
    if (!file.open(QIODevice::ReadOnly))
        return usageError(kNenchoUsage, QStringLiteral("cannot read %1").arg(file.fileName()));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
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
            return usageError(kNenchoUsage, QStringLiteral("%1 is not a number").arg(key));
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
    printResult(r);
    const QString notice = nentyo::rulesNotice(r);
    if (!notice.isEmpty())
        err() << notice << "\n";
    return 0;
}

// Every chosen employee of a company, from the stored rows.
int fromDatabase(const Options& o, const QString& year)
{
    if (!o.has(QStringLiteral("company")))
        return usageError(kNenchoUsage, QStringLiteral("--company is required with --data-dir"));
    const bool registering = o.has(QStringLiteral("register"));
    const QString dataDir = QDir(o.value(QStringLiteral("data-dir"))).absolutePath();
    // Registering writes: not while the program, or another writer, has the data.
    QLockFile lock(QDir(dataDir).filePath(Startup::lockFileName()));
    if (registering && !lock.tryLock(0)) {
        err() << QStringLiteral("ミナセルが起動中のため、年末調整の登録を行うことができません。"
                                "ミナセルを終了してから実行して下さい。")
              << "\n";
        return 1;
    }
    CliSession s(QStringLiteral("minasel-cli-nencho"));
    if (!s.open(dataDir) || !s.chooseCompany(o.value(QStringLiteral("company"))))
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
        printResult(e.result, e.record.code());
    if (!employees.isEmpty() && !nentyo::rulesNotice(employees.first().result).isEmpty())
        err() << nentyo::rulesNotice(employees.first().result) << "\n";
    if (registering)
        err() << "registered " << employees.size() << " year-end adjustments of company " << s.ctx().companyId
              << " for " << year << "\n";
    return 0;
}

} // namespace

int cmdNencho(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args,
                 {QStringLiteral("year"), QStringLiteral("input"), QStringLiteral("data-dir"), QStringLiteral("company"),
                  QStringLiteral("employee")},
                 &error, {QStringLiteral("register")}))
        return usageError(kNenchoUsage, error);
    if (!o.positional().isEmpty())
        return usageError(kNenchoUsage, QStringLiteral("unexpected %1").arg(o.positional().first()));
    const QString yearText = o.value(QStringLiteral("year"));
    bool ok = false;
    const int year = yearText.toInt(&ok);
    if (!o.has(QStringLiteral("year")) || yearText.size() != 4 || !ok || year < 1)
        return usageError(kNenchoUsage, QStringLiteral("--year needs a year YYYY"));
    if (o.has(QStringLiteral("data-dir")) == o.has(QStringLiteral("input")))
        return usageError(kNenchoUsage, QStringLiteral("give either --input or --data-dir"));
    if (o.has(QStringLiteral("input"))) {
        for (const char* dbOnly : {"company", "employee", "register"})
            if (o.has(QLatin1String(dbOnly)))
                return usageError(kNenchoUsage, QStringLiteral("--%1 goes with --data-dir").arg(QLatin1String(dbOnly)));
        return fromFile(o, year);
    }
    if (year < 1989 || year > 2099)
        return usageError(kNenchoUsage, QStringLiteral("--year must be 1989 to 2099"));
    return fromDatabase(o, yearText);
}

} // namespace minasel::cli
