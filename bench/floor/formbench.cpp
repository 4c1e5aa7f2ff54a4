#include "floor/formbench.h"

#include "db/database.h"
#include "floor/recordedfloor.h"
#include "reports/fonts.h"
#include "reports/recordingcanvas.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace minasel::bench {

FormContext::~FormContext()
{
    if (ctx)
        db::closeConnection(*ctx);
}

bool FormContext::open(const QString& connectionName)
{
    ctx = std::make_unique<AppContext>(messages, clock);
    ctx->setDataFolder(dir.path());
    ctx->setConnectionName(connectionName);
    QString error;
    if (!db::openConnection(*ctx, &error))
        return false;
    ctx->companyId = QStringLiteral("01");
    return true;
}

void recordedCounters(benchmark::State& state, const reports::RecordingCanvas& recorded)
{
    state.counters["pages"] = recorded.pageCount();
    state.counters["texts"] = double(recorded.texts().size());
    state.counters["lines"] = double(recorded.lineCount());
}

void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void runFloor(benchmark::State& state, const reports::RecordingCanvas& recorded, const QString& path,
              const QPageSize& size, QPageLayout::Orientation orientation)
{
    const RecordedFloor floor(recorded.calls());
    for (auto _ : state)
        floor.drawPdf(path, size, orientation);
}

int runFormBenchmarks(int argc, char** argv, const std::function<bool(const QString& folder, QString* error)>& makeData,
                      const std::function<bool()>& setUp)
{
    installFontSubstitutions();
    if (argc == 3 && QByteArray(argv[1]) == "--make-data") {
        QString error;
        if (!makeData(QString::fromLocal8Bit(argv[2]), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    if (!setUp()) {
        std::fprintf(stderr, "set-up failed\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace minasel::bench
