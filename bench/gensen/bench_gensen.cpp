// Withholding slips of 200 employees on plain paper (800 pages) to PDF, against
// the floor: the same texts and lines drawn straight with QPainter into a
// QPdfWriter. `bench_gensen --make-data DIR` only writes a data folder (200
// year-end rows of 2026) for trying the command line or looking at the form.
#include "gensenbenchdata.h"

#include "floor/formbench.h"

#include "app/dberror.h"
#include "reports/gensenbatch.h"
#include "reports/pdfcanvas.h"
#include "reports/recordingcanvas.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace minasel;

namespace {

constexpr int kEmployees = 200;
constexpr int kYear = 2026;

struct Fixture : bench::FormContext {
    Fixture() : FormContext(QDateTime(QDate(2027, 1, 15), QTime(10, 0))) {}
    QList<reports::PickerEntry> chosen;
    reports::RecordingCanvas recorded;   // the whole batch, for the floor

    bool setUp()
    {
        QString error;
        if (!bench::makeGensenData(dir.path(), kEmployees, kYear, &error)) {
            std::fprintf(stderr, "data: %s\n", qPrintable(error));
            return false;
        }
        if (!open(QStringLiteral("bench-gensen")))
            return false;
        DbError dbError;
        reports::gensenCandidates(ctx->db(), ctx->companyId, kYear, &chosen, &dbError);
        reports::GensenBatch batch(*ctx, QStringLiteral("bench"));
        return chosen.size() == kEmployees && batch.prepare(kYear, chosen)
            && batch.print(recorded, reports::GensenBatch::Paper::Plain) == reports::GensenBatch::Outcome::Printed;
    }
};

Fixture* g_fixture = nullptr;

void BM_GensenPlainPdf(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    const QString path = f.dir.filePath(QStringLiteral("gensen.pdf"));
    for (auto _ : state) {
        reports::PdfCanvas canvas(path);
        canvas.open();
        reports::GensenBatch batch(*f.ctx, QStringLiteral("bench"));
        if (!batch.prepare(kYear, f.chosen)
            || batch.print(canvas, reports::GensenBatch::Paper::Plain) != reports::GensenBatch::Outcome::Printed)
            state.SkipWithError("batch failed");
    }
    bench::recordedCounters(state, f.recorded);
}

void BM_FloorQPainterPdf(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    bench::runFloor(state, f.recorded, f.dir.filePath(QStringLiteral("floor.pdf")), QPageSize(QPageSize::JisB5),
                    QPageLayout::Portrait);
}

} // namespace

BENCHMARK(BM_GensenPlainPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FloorQPainterPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    return bench::formBenchmarkMain<QGuiApplication>(argc, argv, &g_fixture, [](const QString& folder, QString* error) {
        return bench::makeGensenData(folder, kEmployees, kYear, error);
    });
}
