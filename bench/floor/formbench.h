#pragma once
#include "app/appcontext.h"
#include "app/clock.h"
#include "app/fakemessages.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

namespace minasel::reports {
class RecordingCanvas;
}

namespace minasel::bench {

// What a form benchmark's fixture holds: a data folder, boxes that never show,
// a fixed clock, and the context on the folder's database with company "01"
// current, its connection closed when the fixture goes.
struct FormContext {
    explicit FormContext(const QDateTime& now) : clock(now) {}
    ~FormContext();
    FormContext(const FormContext&) = delete;
    FormContext& operator=(const FormContext&) = delete;

    // After the data are written to dir: opens the connection under that name.
    bool open(const QString& connectionName);

    QTemporaryDir dir;
    FakeMessages messages;
    FixedClock clock;
    std::unique_ptr<AppContext> ctx;
};

// The pages, texts and lines a recording canvas saw, as the benchmark's counters.
void recordedCounters(benchmark::State& state, const reports::RecordingCanvas& recorded);

// What the benchmarks of printed forms share after the application object is
// made: the fonts, `--make-data DIR` (only writes the data folder, for trying
// the command line or looking at the form), the fixture's set-up, the run.
int runFormBenchmarks(int argc, char** argv, const std::function<bool(const QString& folder, QString* error)>& makeData,
                      const std::function<bool()>& setUp);

// Form benchmarks run on the offscreen platform unless told otherwise.
void preferOffscreen();

// The main of a form benchmark: the platform, the application object App, the
// fixture (set up, then reached by the benchmarks through *fixture) and the run.
template <typename App, typename Fixture>
int formBenchmarkMain(int argc, char** argv, Fixture** fixture,
                      const std::function<bool(const QString& folder, QString* error)>& makeData)
{
    preferOffscreen();
    App app(argc, argv);
    Fixture f;
    return runFormBenchmarks(argc, argv, makeData, [&] {
        *fixture = &f;
        return f.setUp();
    });
}

// The floor's loop: what `recorded` saw drawn straight into the PDF at `path`.
void runFloor(benchmark::State& state, const reports::RecordingCanvas& recorded, const QString& path,
              const QPageSize& size, QPageLayout::Orientation orientation);

} // namespace minasel::bench
