// Payslip batch to PDF against the floor: the same text items and lines drawn
// straight with QPainter into a QPdfWriter, without data, layout or formatting.
// `bench_payslip --make-data DIR` only writes a data folder (100 statements of
// 202611) for trying the command line or looking at the form.
#include "payslipbenchdata.h"
#include "floor/formbench.h"

#include "payroll/payslipbatch.h"
#include "payroll/payslipdata.h"
#include "reports/pdfcanvas.h"
#include "reports/recordingcanvas.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace minasel;

namespace {

constexpr int kEmployees = 100;
const QString kMonth = QStringLiteral("202611");

struct Fixture : bench::FormContext {
    Fixture() : FormContext(QDateTime(QDate(2026, 12, 6), QTime(10, 0))) {}
    QList<reports::PickerEntry> chosen;
    reports::RecordingCanvas recorded;   // the whole batch, for the floor

    bool setUp()
    {
        QString error;
        if (!bench::makePayslipData(dir.path(), kEmployees, kMonth, &error)) {
            std::fprintf(stderr, "data: %s\n", qPrintable(error));
            return false;
        }
        if (!open(QStringLiteral("bench-payslip")))
            return false;
        ctx->companyName = QStringLiteral("ミナセル商事株式会社（サンプル）");
        payroll::payslipCandidates(ctx->db(), ctx->companyId, kMonth, 1, &chosen, &error);
        payroll::PayslipBatch batch(*ctx, QStringLiteral("bench"));
        return chosen.size() == kEmployees
            && batch.print(recorded, kMonth, 1, chosen) == payroll::PayslipBatch::Outcome::Printed;
    }
};

Fixture* g_fixture = nullptr;

void BM_PayslipBatchPdf(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    const QString path = f.dir.filePath(QStringLiteral("batch.pdf"));
    for (auto _ : state) {
        reports::PdfCanvas canvas(path);
        canvas.open();
        payroll::PayslipBatch batch(*f.ctx, QStringLiteral("bench"));
        if (batch.print(canvas, kMonth, 1, f.chosen) != payroll::PayslipBatch::Outcome::Printed)
            state.SkipWithError("batch failed");
    }
    state.counters["slips"] = kEmployees;
    state.counters["texts"] = double(f.recorded.texts().size());
    state.counters["lines"] = double(f.recorded.lineCount());
}

// The floor: the recorded texts and lines, with the same font changes, drawn
// directly; a twips transform as the canvas has.
void BM_FloorQPainterPdf(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    bench::runFloor(state, f.recorded, f.dir.filePath(QStringLiteral("floor.pdf")), QPageSize(QPageSize::JisB5),
                    QPageLayout::Landscape);
}

} // namespace

BENCHMARK(BM_PayslipBatchPdf)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_FloorQPainterPdf)->Unit(benchmark::kMillisecond)->MinTime(3.0);

int main(int argc, char** argv)
{
    return bench::formBenchmarkMain<QGuiApplication>(argc, argv, &g_fixture, [](const QString& folder, QString* error) {
        return bench::makePayslipData(folder, kEmployees, kMonth, error);
    });
}
