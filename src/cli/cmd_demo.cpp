#include "climain.h"
#include "clisession.h"

#include "backup/filesafety.h"
#include "payroll/statementdemo.h"
#include "transfer/bankdemo.h"

#include <QDir>
#include <QElapsedTimer>

namespace minasel::cli {

namespace {

const char* const kDemoUsage =
    "usage: minasel-cli demo --data-dir D [--companies N] [--employees M] [--months K]\n"
    "                        [--last-month yyyymm] [--seed S]\n"
    "  Adds N demonstration companies (codes from 51 up) with M employees each and K months\n"
    "  of salary statements ending with --last-month (default: this month), plus June and\n"
    "  December bonuses. Creates D/Kyuyo.db when D has none.\n";

int usageError(const QString& message)
{
    if (!message.isEmpty())
        err() << "error: " << message << "\n";
    err() << kDemoUsage;
    return kUsageError;
}

} // namespace

int cmdDemo(const QStringList& args)
{
    Options o;
    QString error;
    if (!o.parse(args, {QStringLiteral("data-dir"), QStringLiteral("companies"), QStringLiteral("employees"),
                        QStringLiteral("months"), QStringLiteral("last-month"), QStringLiteral("seed")},
                 &error)
        || !o.positional().isEmpty())
        return usageError(error.isEmpty() ? QStringLiteral("unexpected argument") : error);
    if (!o.has(QStringLiteral("data-dir")))
        return usageError(QStringLiteral("--data-dir is required"));

    payroll::StatementDemo::Options options;
    auto intOption = [&](const char* name, int* target, long long lo, long long hi) {
        const QString key = QLatin1String(name);
        if (!o.has(key))
            return true;
        long long v = 0;
        if (!o.integer(key, &v, &error) || v < lo || v > hi) {
            if (error.isEmpty())
                error = QStringLiteral("--%1 must be between %2 and %3").arg(key).arg(lo).arg(hi);
            return false;
        }
        *target = int(v);
        return true;
    };
    int seed = int(options.seed % 1000000000u);
    if (!intOption("companies", &options.companies, 1, 49) || !intOption("employees", &options.employees, 1, 99999)
        || !intOption("months", &options.months, 1, 600) || !intOption("seed", &seed, 0, 999999999))
        return usageError(error);
    options.seed = unsigned(seed);
    if (o.has(QStringLiteral("last-month"))) {
        const QString m = o.value(QStringLiteral("last-month"));
        const int month = m.mid(4, 2).toInt();
        if (m.size() != 6 || m.toInt() <= 0 || month < 1 || month > 12)
            return usageError(QStringLiteral("--last-month must be yyyymm"));
        options.lastMonth = m;
    }

    const QString dir = QDir(o.value(QStringLiteral("data-dir"))).absolutePath();
    if (!backup::FileSafety::makeOwnerFolder(dir)) {
        err() << "error: cannot create " << dir << "\n";
        return 1;
    }
    // A writer like the program: never while the program or another writer works here.
    CliSession session(QStringLiteral("minasel-cli-demo"));
    if (!session.open(dir, CliSession::Use::Creates))
        return 1;
    AppContext& ctx = session.ctx();
    QElapsedTimer timer;
    timer.start();
    payroll::StatementDemo demo(ctx);
    payroll::StatementDemo::Summary summary;
    const bool ok = demo.run(options, &summary, &error) && transfer::BankDemo::run(ctx, summary.companyIds, options.seed, &error);
    if (!ok) {
        err() << "error: " << error << "\n";
        return 1;
    }
    out() << "companies " << summary.companyIds.join(QLatin1Char(' ')) << ": " << summary.employees << " employees, "
          << summary.salaryStatements << " salary and " << summary.bonusStatements << " bonus statements in "
          << timer.elapsed() << " ms\n";
    return 0;
}

} // namespace minasel::cli
