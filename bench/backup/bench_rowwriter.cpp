// 100,000 pay statements inserted through the row writer (WriteMeisaiTable, as
// the screens, the demo and the year-end registration write) in one
// transaction, against the floor: one raw prepared SQLite insert of the same
// rows into the same table, its values already bound as numbers and UTF-8.
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"
#include "db/database.h"
#include "db/rowwriter.h"
#include "db/schema.h"
#include "db/transactionguard.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <sys/resource.h>
#include <vector>

using namespace minasel;

namespace {

constexpr int kRows = 100000;

// Statement rows as the screens fill them: whole yen, a few hours with
// decimals, the names of items, zeros for what is not paid.
QStringList meisaiRow(int i)
{
    const db::TableDef& def = db::tableDef(db::Table::Meisai);
    QStringList row;
    row.reserve(def.columnCount());
    row << QStringLiteral("01") << QStringLiteral("%1%2").arg(2016 + i / 12000).arg(1 + (i / 1000) % 12, 2, 10, QLatin1Char('0'))
        << QStringLiteral("%1").arg(i % 1000 + 1, 5, 10, QLatin1Char('0')) << QStringLiteral("1") << QStringLiteral("1");
    for (int c = int(row.size()); c < def.columnCount(); ++c) {
        if (def.columns[size_t(c)].kind == db::Kind::Text)
            row << (c % 4 == 0 ? QStringLiteral("資格手当") : QString());
        else if (c % 9 == 0)
            row << QStringLiteral("%1.%2").arg((i + c) % 40).arg((i * 7 + c) % 100, 2, 10, QLatin1Char('0'));
        else if (c % 3 == 0)
            row << QString::number(((i * 131 + c * 977) % 300) * 1000 + (c % 7) * 10);
        else
            row << QStringLiteral("0");
    }
    return row;
}

struct World {
    QTemporaryDir dir;
    FakeMessages messages;
    SystemClock clock;
    std::unique_ptr<AppContext> ctx;
    std::vector<QStringList> rows;

    World()
    {
        ctx = std::make_unique<AppContext>(messages, clock);
        ctx->setConnectionName(QStringLiteral("bench-rows"));
        ctx->setDataFolder(dir.path());
        QString error;
        if (!db::createDatabaseFile(ctx->databasePath(), 2026, &error) || !ctx->log().open(ctx->dataFolder())
            || !db::openConnection(*ctx, &error))
            qFatal("setup: %s", qPrintable(error));
        ctx->companyId = QStringLiteral("01");
        rows.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            rows.push_back(meisaiRow(i));
    }
    ~World() { db::closeConnection(*ctx); }

    void clear() { QSqlQuery(ctx->db()).exec(QStringLiteral("DELETE FROM MEISAI")); }
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

World& world()
{
    static World w;
    return w;
}

void BM_WriteMeisaiTable(benchmark::State& state)
{
    World& w = world();
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.clear();
        state.ResumeTiming();
        const double start = cpuSeconds();
        db::TransactionGuard tx(w.ctx->db());
        for (const QStringList& row : w.rows)
            if (!db::WriteMeisaiTable(*w.ctx, row))
                return state.SkipWithError("insert failed");
        if (!tx.commit())
            state.SkipWithError("commit failed");
        cpu += cpuSeconds() - start;
    }
    state.counters["cpu_ms"] = cpu * 1000.0 / double(state.iterations());
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The same rows through one prepared statement of SQLite's own interface, on
// its own connection to the same file.
void BM_FloorRawSqliteInsert(benchmark::State& state)
{
    World& w = world();
    const db::TableDef& def = db::tableDef(db::Table::Meisai);
    struct Value {
        bool number;
        double d;
        QByteArray text;
    };
    std::vector<std::vector<Value>> native;
    native.reserve(w.rows.size());
    for (const QStringList& row : w.rows) {
        std::vector<Value> v;
        for (int c = 0; c < def.columnCount(); ++c) {
            const bool number = def.columns[size_t(c)].kind == db::Kind::Number;
            v.push_back({number, number ? row[c].toDouble() : 0.0, number ? QByteArray() : row[c].toUtf8()});
        }
        native.push_back(std::move(v));
    }
    double cpu = 0;
    sqlite3* handle = nullptr;
    if (sqlite3_open(w.ctx->databasePath().toUtf8().constData(), &handle) != SQLITE_OK)
        return state.SkipWithError("open failed");
    QStringList marks;
    for (int c = 1; c <= def.columnCount(); ++c)
        marks << QStringLiteral("?%1").arg(c);
    const QByteArray sql = QStringLiteral("INSERT INTO MEISAI VALUES(%1)").arg(marks.join(QStringLiteral(", "))).toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        w.clear();
        state.ResumeTiming();
        const double start = cpuSeconds();
        sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(handle, sql.constData(), -1, &stmt, nullptr);
        for (const std::vector<Value>& row : native) {
            for (int c = 0; c < int(row.size()); ++c) {
                if (row[size_t(c)].number)
                    sqlite3_bind_double(stmt, c + 1, row[size_t(c)].d);
                else
                    sqlite3_bind_text(stmt, c + 1, row[size_t(c)].text.constData(), int(row[size_t(c)].text.size()),
                                      SQLITE_STATIC);
            }
            if (sqlite3_step(stmt) != SQLITE_DONE)
                state.SkipWithError("raw insert failed");
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        if (sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError("raw commit failed");
        cpu += cpuSeconds() - start;
    }
    state.counters["cpu_ms"] = cpu * 1000.0 / double(state.iterations());
    sqlite3_close(handle);
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_WriteMeisaiTable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FloorRawSqliteInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
