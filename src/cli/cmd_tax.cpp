// Commands tax and koyo: the withholding and employment-insurance arithmetic from
// the command line, with plain results on stdout.
#include "climain.h"

#include "payroll/withholdingtax.h"

namespace minasel::cli {
namespace {

bool amount(const Options& o, const QString& name, long long* v, QString* error)
{
    if (!o.has(name)) {
        *error = QStringLiteral("--%1 is required").arg(name);
        return false;
    }
    if (!o.integer(name, v, error))
        return false;
    if (*v > kLargestAmount || *v < -kLargestAmount) {
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

} // namespace minasel::cli
