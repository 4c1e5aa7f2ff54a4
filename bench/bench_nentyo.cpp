// The year-end adjustment: one recomputation as the screen runs it after each
// keystroke (the record alone, and the screen with its boxes), and registering a
// whole company of 200 employees with a year of statements, as
// `minasel-cli nencho --register` does (bench/cli_nencho.sh times the command itself).
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"
#include "app/numberfield.h"
#include "db/database.h"
#include "nentyo/inpnentyo.h"
#include "nentyo/nentyobatch.h"
#include "payroll/statementdemo.h"

#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace minasel;

namespace {

// A database with one demonstration company of 200 employees and the twelve months
// of 2026, the shared connection open and the company current.
struct Company {
    QTemporaryDir dir;
    FakeMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
    AppContext ctx{messages, clock};
    Company()
    {
        const QString folder = dir.path() + QStringLiteral("/Vora/Kyuyo");
        qputenv("MINASEL_DATA_DIR", folder.toUtf8());
        QString error;
        if (db::getDataFolder(2026, &error).isEmpty())
            qFatal("data folder: %s", qPrintable(error));
        ctx.setConnectionName(QStringLiteral("bench-nentyo"));
        ctx.setDataFolder(folder);
        ctx.log().open(ctx.dataFolder());
        if (!db::openConnection(ctx, &error))
            qFatal("open: %s", qPrintable(error));
        payroll::StatementDemo::Options o;
        o.employees = 200;
        o.lastMonth = QStringLiteral("202612");
        payroll::StatementDemo::Summary summary;
        if (!payroll::StatementDemo(ctx).run(o, &summary, &error))
            qFatal("demo: %s", qPrintable(error));
        ctx.companyId = summary.companyIds.first();
    }
    ~Company() { db::closeConnection(ctx); }
};

Company& company()
{
    static Company c;
    return c;
}

void BM_RecomputeRecord(benchmark::State& state)
{
    nentyo::NentyoRecord r(QStringLiteral("51"), QStringLiteral("2026"), QStringLiteral("00001"));
    r.setPayTotals({5'400'000, 132'000, 900'000, 36'000, 923'300});
    r.setFlag(QStringLiteral("HAIGUKBN"), true);
    r.setAmount(QStringLiteral("TOKUSYOTOKU1"), 700'000);
    long long premium = 0;
    for (auto _ : state) {
        r.setAmount(QStringLiteral("SEMEHOKEN_NEW"), ++premium % 100'000);   // a new figure each time, as typed
        benchmark::DoNotOptimize(r.recompute().sasihiki);
    }
}
BENCHMARK(BM_RecomputeRecord);

// One digit typed into a premium box: the screen reads every box, recomputes and
// fills in the results.
void BM_ScreenKeystroke(benchmark::State& state)
{
    nentyo::InpNentyo screen(company().ctx);
    screen.show();
    auto* field = screen.findChild<NumberField*>(QStringLiteral("txtSEMEHOKEN_NEW"));
    field->setFocus();
    int i = 0;
    for (auto _ : state) {
        if (++i % 6 == 0)
            field->clear();   // keep the premium within the box's range
        QTest::keyClick(field, Qt::Key_1);
        benchmark::DoNotOptimize(screen.lastResult().sasihiki);
    }
    screen.setChanged(false);
}
BENCHMARK(BM_ScreenKeystroke)->Unit(benchmark::kMicrosecond);

void BM_RegisterCompany(benchmark::State& state)
{
    nentyo::NentyoBatch batch(company().ctx);
    for (auto _ : state) {
        QList<nentyo::NentyoBatch::Employee> employees;
        if (!batch.compute(QStringLiteral("2026"), QString(), &employees) || !batch.registerAll(employees))
            state.SkipWithError("register failed");
        state.counters["employees"] = double(employees.size());
    }
}
BENCHMARK(BM_RegisterCompany)->Unit(benchmark::kMillisecond);

} // namespace
