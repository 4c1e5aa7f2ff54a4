// How long the program takes from start to a usable main menu when the database
// is full (99 companies, 100,000 pay statements), and how fast the row writers
// insert pay statements inside one transaction.
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"
#include "app/mainmenu.h"
#include "app/screenregistry.h"
#include "db/database.h"
#include "db/rowwriter.h"
#include "db/transactionguard.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace minasel;

namespace {

constexpr int kCompanies = 99;
constexpr int kMeisaiRows = 100000;

struct BenchData {
    QTemporaryDir dir;
    QString folder;
    bool companiesAdded = false;
    bool meisaiAdded = false;
};

BenchData& data()
{
    static BenchData d;
    if (d.folder.isEmpty()) {
        d.folder = d.dir.path() + QStringLiteral("/Vora/Kyuyo");
        qputenv("MINASEL_DATA_DIR", d.folder.toUtf8());
        QString error;
        if (db::getDataFolder(2026, &error).isEmpty())
            qFatal("data folder: %s", qPrintable(error));
    }
    return d;
}

// A context on the bench database with the shared connection open.
struct OpenContext {
    FakeMessages messages;
    SystemClock clock;
    AppContext ctx{messages, clock};
    OpenContext()
    {
        ctx.setConnectionName(QStringLiteral("bench-writer"));
        ctx.setDataFolder(data().folder);
        ctx.log().open(ctx.dataFolder());
        QString error;
        if (!db::openConnection(ctx, &error))
            qFatal("open: %s", qPrintable(error));
    }
    ~OpenContext() { db::closeConnection(ctx); }
};

void addCompanies(AppContext& ctx)
{
    QStringList sample;
    {
        QSqlQuery q(ctx.db());
        q.exec(QStringLiteral("SELECT * FROM COMPANY WHERE CID = '01'"));
        q.next();
        for (int i = 0; i < q.record().count(); ++i)
            sample << q.value(i).toString();
    }
    const db::TableDef& def = db::tableDef(db::Table::Company);
    db::TransactionGuard tx(ctx.db());
    for (int c = 6; c <= kCompanies; ++c) {
        QStringList row = sample;
        row[def.indexOf(QStringLiteral("CID"))] = QStringLiteral("%1").arg(c, 2, 10, QLatin1Char('0'));
        row[def.indexOf(QStringLiteral("COMPANY"))] = QStringLiteral("ベンチ商事%1").arg(c);
        if (!db::WriteCompanyTable(ctx, row))
            qFatal("company %d", c);
    }
    tx.commit();
}

QStringList meisaiRow(int i)
{
    static const int columns = db::tableDef(db::Table::Meisai).columnCount();
    const int cid = 1 + i % kCompanies;
    const int rest = i / kCompanies;
    const int employee = 1 + rest % 50;
    const int month = rest / 50;   // 0 .. 20
    QStringList row;
    row.reserve(columns);
    row << QStringLiteral("%1").arg(cid, 2, 10, QLatin1Char('0'))
        << QStringLiteral("%1%2").arg(2025 + month / 12).arg(1 + month % 12, 2, 10, QLatin1Char('0'))
        << QStringLiteral("%1").arg(employee, 5, 10, QLatin1Char('0')) << QStringLiteral("1") << QStringLiteral("1");
    while (row.size() < columns)
        row << QString::number((i * 37 + row.size() * 11) % 300000);
    return row;
}

void ensureData()
{
    BenchData& d = data();
    if (d.companiesAdded && d.meisaiAdded)
        return;
    OpenContext c;
    if (!d.companiesAdded) {
        addCompanies(c.ctx);
        d.companiesAdded = true;
    }
    if (!d.meisaiAdded) {
        db::TransactionGuard tx(c.ctx.db());
        for (int i = 0; i < kMeisaiRows; ++i)
            if (!db::WriteMeisaiTable(c.ctx, meisaiRow(i)))
                qFatal("meisai %d", i);
        tx.commit();
        d.meisaiAdded = true;
    }
}

// The whole 100,000 rows through WriteMeisaiTable in one transaction.
void BM_WriteMeisaiInOneTransaction(benchmark::State& state)
{
    BenchData& d = data();
    for (auto _ : state) {
        OpenContext c;
        if (!d.companiesAdded) {
            state.PauseTiming();
            addCompanies(c.ctx);
            d.companiesAdded = true;
            state.ResumeTiming();
        }
        if (d.meisaiAdded) {
            state.PauseTiming();
            QSqlQuery(c.ctx.db()).exec(QStringLiteral("DELETE FROM MEISAI"));
            state.ResumeTiming();
        }
        db::TransactionGuard tx(c.ctx.db());
        for (int i = 0; i < kMeisaiRows; ++i)
            if (!db::WriteMeisaiTable(c.ctx, meisaiRow(i)))
                state.SkipWithError("insert failed");
        tx.commit();
        d.meisaiAdded = true;
    }
    state.SetItemsProcessed(state.iterations() * kMeisaiRows);
}
BENCHMARK(BM_WriteMeisaiInOneTransaction)->Iterations(1)->Unit(benchmark::kMillisecond);

// From creating the main menu (splash, log, lock, connection, company list) to
// the menu shown on screen, then a shutdown outside the timing.
void BM_StartupToShownMenu(benchmark::State& state)
{
    ensureData();
    ScreenRegistry registry;   // the screens themselves play no part in starting
    for (auto _ : state) {
        FakeMessages messages;
        SystemClock clock;
        AppContext ctx(messages, clock);
        ctx.screens = &registry;
        auto menu = std::make_unique<MainMenu>(ctx, true);
        if (!menu->start()) {
            state.SkipWithError("start-up failed");
            break;
        }
        menu->show();
        if (!QTest::qWaitForWindowExposed(menu.get()))
            state.SkipWithError("menu not shown");
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (menu->companyList()->count() != kCompanies)
            state.SkipWithError("company list incomplete");
        menu->close();
        menu.reset();
        db::closeConnection(ctx);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToShownMenu)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
