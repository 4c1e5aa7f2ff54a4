// Backup, restore and compaction of a company with 200 employees (or
// MINASEL_BENCH_EMPLOYEES) and ten years of statements, against the floor of the
// same work done by the sqlite3 tool on the same database in the same run (CSV
// export of the eight tables, CSV import in one transaction, VACUUM INTO), and the
// automatic backup at exit of a company that did not change.
// `bench_backup --make-data DIR` only writes such a data folder (memory.sh).
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"
#include "backup/backupreader.h"
#include "backup/backuprestorer.h"
#include "backup/autobackup.h"
#include "backup/backupwriter.h"
#include "backup/databasecompactor.h"
#include "backup/payrolldata.h"
#include "db/database.h"
#include "db/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <sys/resource.h>

using namespace minasel;

namespace {

bench::PayrollSize benchSize()
{
    bench::PayrollSize size;
    const int employees = qEnvironmentVariableIntValue("MINASEL_BENCH_EMPLOYEES");
    if (employees > 0)
        size.employees = employees;
    return size;
}

struct World {
    QTemporaryDir dir;
    FakeMessages messages;
    SystemClock clock;
    std::unique_ptr<AppContext> ctx;
    QString setDir;
    QString sqlite3;

    explicit World(const QString& folder = QString())
    {
        ctx = std::make_unique<AppContext>(messages, clock);
        ctx->setConnectionName(QStringLiteral("bench"));
        ctx->setDataFolder(folder.isEmpty() ? dir.path() : folder);
        QString error;
        if (!db::createDatabaseFile(ctx->databasePath(), 2026, &error) || !ctx->log().open(ctx->dataFolder())
            || !db::openConnection(*ctx, &error))
            qFatal("setup: %s", qPrintable(error));
        ctx->companyId = QStringLiteral("01");
        ctx->companyName = QStringLiteral("ベンチ株式会社");
        const int rows = bench::generatePayroll(*ctx, benchSize());
        if (rows < 0)
            qFatal("generator failed");
        std::fprintf(stderr, "generated %d statement rows\n", rows);
        if (!folder.isEmpty())
            return;
        setDir = dir.path() + QStringLiteral("/set");
        backup::BackupWriter w(*ctx);
        if (!w.write(setDir, QStringLiteral("bench")))
            qFatal("first backup failed");
        sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    }
    ~World() { db::closeConnection(*ctx); }

    // Runs a script through the sqlite3 tool with the shared connection closed.
    bool tool(const QString& script)
    {
        QProcess p;
        p.start(sqlite3, {ctx->databasePath()});
        p.waitForStarted();
        p.write(script.toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(-1);
        return p.exitCode() == 0 && p.readAllStandardError().isEmpty();
    }
};

// Processor time of this process and of the tools it ran, in seconds: on a
// machine shared with other work the wall time of one run says little.
double cpuSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

// Reports the processor time per iteration of the code between its making and its end.
struct CpuCounter {
    benchmark::State& state;
    double start = cpuSeconds();
    ~CpuCounter() { state.counters["cpu_ms"] = (cpuSeconds() - start) * 1000.0 / double(std::max<int64_t>(state.iterations(), 1)); }
};

World& world()
{
    static World w;
    return w;
}

void BM_Backup(benchmark::State& state)
{
    World& w = world();
    CpuCounter cpu{state};
    for (auto _ : state) {
        backup::BackupWriter writer(*w.ctx);
        if (!writer.write(w.setDir, QStringLiteral("bench")))
            state.SkipWithError("backup failed");
    }
}

void BM_Restore(benchmark::State& state)
{
    World& w = world();
    CpuCounter cpu{state};
    for (auto _ : state) {
        backup::BackupRestorer restorer(*w.ctx);
        // The set carries its manifest: the time measured is the check, the safety backup and the restore.
        restorer.setConfirmation(backup::BackupRestorer::Confirmation::UnverifiedOnly);
        if (restorer.restore(w.setDir) != backup::BackupRestorer::Outcome::Restored)
            state.SkipWithError("restore failed");
    }
}

// The restore proper: the checks (the manifest's hashes) and the rows replaced
// in one transaction, without the safety backup of the company before it.
void BM_RestoreWithoutSafetyBackup(benchmark::State& state)
{
    World& w = world();
    CpuCounter cpu{state};
    for (auto _ : state) {
        backup::BackupRestorer restorer(*w.ctx);
        if (restorer.check(w.setDir) != backup::BackupRestorer::Outcome::Restored
            || restorer.replaceRows(w.setDir) != backup::BackupRestorer::Outcome::Restored)
            state.SkipWithError("restore failed");
    }
}

// The reading part of a restore alone: what is left is the database's share.
void BM_ReadSetOnly(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state) {
        qint64 values = 0;
        for (db::Table t : db::dataTables()) {
            QFile f(w.setDir + QStringLiteral("/T_%1.txt").arg(int(t), 3, 10, QLatin1Char('0')));
            f.open(QIODevice::ReadOnly);
            backup::BackupReader reader(f.readAll(), db::tableDef(t).columnCount());
            QStringList row;
            while (reader.next(&row) == backup::BackupReader::Status::Row)
                values += row.size();
        }
        benchmark::DoNotOptimize(values);
    }
}

// Closing the program: the automatic backup of a company that has not changed
// since its last automatic backup, then the connection closed.
void BM_ExitUnchanged(benchmark::State& state)
{
    World& w = world();
    if (!backup::runAutomaticBackup(*w.ctx))
        return state.SkipWithError("first automatic backup failed");
    for (auto _ : state) {
        if (!backup::runAutomaticBackup(*w.ctx))
            state.SkipWithError("automatic backup failed");
        db::closeConnection(*w.ctx);
        state.PauseTiming();
        QString error;
        if (!db::openConnection(*w.ctx, &error))
            state.SkipWithError("reopen failed");
        state.ResumeTiming();
    }
}

void BM_Compact(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state) {
        backup::DatabaseCompactor compactor(*w.ctx);
        if (compactor.run() != backup::DatabaseCompactor::Outcome::Compacted)
            state.SkipWithError("compaction failed");
    }
}

QString csvPath(const QString& folder, const db::TableDef& t)
{
    return folder + QStringLiteral("/floor_") + t.name + QStringLiteral(".csv");
}

void BM_FloorExportCsv(benchmark::State& state)
{
    World& w = world();
    if (w.sqlite3.isEmpty())
        return state.SkipWithError("sqlite3 not installed");
    CpuCounter cpu{state};
    QString script = QStringLiteral(".mode csv\n");
    for (db::Table t : db::dataTables()) {
        const db::TableDef& d = db::tableDef(t);
        script += QStringLiteral(".once '%1'\nSELECT * FROM %2 WHERE CID = '01';\n").arg(csvPath(w.dir.path(), d), d.name);
    }
    for (auto _ : state)
        if (!w.tool(script))
            state.SkipWithError("sqlite3 export failed");
}

void BM_FloorImportCsv(benchmark::State& state)
{
    World& w = world();
    if (w.sqlite3.isEmpty())
        return state.SkipWithError("sqlite3 not installed");
    CpuCounter cpu{state};
    QString script = QStringLiteral("BEGIN;\n");
    for (db::Table t : db::dataTables()) {
        const db::TableDef& d = db::tableDef(t);
        script += QStringLiteral("DELETE FROM %1 WHERE CID = '01';\n.import --csv '%2' %1\n").arg(d.name, csvPath(w.dir.path(), d));
    }
    script += QStringLiteral("COMMIT;\n");
    for (auto _ : state)
        if (!w.tool(script))
            state.SkipWithError("sqlite3 import failed");
}

void BM_FloorVacuumInto(benchmark::State& state)
{
    World& w = world();
    if (w.sqlite3.isEmpty())
        return state.SkipWithError("sqlite3 not installed");
    const QString target = w.dir.path() + QStringLiteral("/floor_copy.db");
    for (auto _ : state) {
        QFile::remove(target);
        if (!w.tool(QStringLiteral("VACUUM INTO '%1';\n").arg(target)))
            state.SkipWithError("sqlite3 vacuum failed");
    }
}

} // namespace

BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FloorExportCsv)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RestoreWithoutSafetyBackup)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadSetOnly)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FloorExportCsv)->Unit(benchmark::kMillisecond)->Iterations(1)->Name("prepare_floor_files");
BENCHMARK(BM_FloorImportCsv)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExitUnchanged)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Compact)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FloorVacuumInto)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--make-data") == 0) {
        QDir().mkpath(QString::fromLocal8Bit(argv[2]));
        World made(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
