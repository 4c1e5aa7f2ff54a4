// The wage ledgers of a 200-employee year (2,400 salary and 400 bonus
// statements) to PDF on B4, each against the floor of the same texts and lines
// drawn straight with QPainter, and the display grid of one month.
// `bench_ledger --make-data DIR` only writes the data folder, for the command line.
#include "floor/formbench.h"
#include "payslipbenchdata.h"

#include "reports/getudaityoform.h"
#include "reports/kojindaityoform.h"
#include "reports/ledgergrid.h"
#include "reports/pdfcanvas.h"
#include "reports/recordingcanvas.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace minasel;
using namespace minasel::reports;

namespace {

constexpr int kEmployees = 200;

QStringList yearMonths()
{
    QStringList m;
    for (int i = 1; i <= 12; ++i)
        m << QStringLiteral("2026%1").arg(i, 2, 10, QLatin1Char('0'));
    return m;
}

struct Fixture : bench::FormContext {
    Fixture() : FormContext(QDateTime(QDate(2026, 12, 28), QTime(10, 0))) {}
    QList<PickerEntry> employees;
    RecordingCanvas monthly;
    RecordingCanvas individual;

    bool setUp()
    {
        QString error;
        if (!bench::makeStatementData(dir.path(), kEmployees, yearMonths(), {"202606", "202612"}, &error)) {
            std::fprintf(stderr, "data: %s\n", qPrintable(error));
            return false;
        }
        if (!open(QStringLiteral("bench-ledger")))
            return false;
        ctx->companyName = QStringLiteral("ミナセル商事株式会社（サンプル）");
        DbError dbError;
        LedgerData(ctx->db(), ctx->companyId).readYearCandidates(QStringLiteral("2026"), &employees, &dbError);
        return employees.size() == kEmployees && printMonthly(monthly) && printIndividual(individual);
    }
    bool printMonthly(PrintCanvas& canvas)
    {
        QList<LedgerLine> lines;
        DbError error;
        if (!LedgerData(ctx->db(), ctx->companyId).readPeriod(QStringLiteral("202601"), QStringLiteral("202612"), &lines,
                                                              &error)
            || lines.size() != 2800)
            return false;
        return GetuDaityoForm(*ctx, QStringLiteral("bench")).print(canvas, PaperB4, lines) == LedgerOutcome::Printed;
    }
    bool printIndividual(PrintCanvas& canvas)
    {
        return KojinDaityoForm(*ctx).print(canvas, PaperB4, QStringLiteral("2026"), employees) == LedgerOutcome::Printed;
    }
};

Fixture* g_fixture = nullptr;

void BM_MonthlyLedgerYearPdf(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    for (auto _ : state) {
        PdfCanvas canvas(f.dir.filePath(QStringLiteral("monthly.pdf")));
        canvas.open();
        if (!f.printMonthly(canvas))
            state.SkipWithError("monthly ledger failed");
    }
    bench::recordedCounters(state, f.monthly);
}

void BM_MonthlyLedgerFloor(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    bench::runFloor(state, f.monthly, f.dir.filePath(QStringLiteral("floor.pdf")), QPageSize(QPageSize::JisB4),
                    QPageLayout::Landscape);
}

void BM_IndividualLedgersPdf(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    for (auto _ : state) {
        PdfCanvas canvas(f.dir.filePath(QStringLiteral("individual.pdf")));
        canvas.open();
        if (!f.printIndividual(canvas))
            state.SkipWithError("individual ledgers failed");
    }
    bench::recordedCounters(state, f.individual);
}

void BM_IndividualLedgersFloor(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    bench::runFloor(state, f.individual, f.dir.filePath(QStringLiteral("floor.pdf")), QPageSize(QPageSize::JisB4),
                    QPageLayout::Landscape);
}

// One month of 200 employees read, laid out as the grid's rows and shown.
void BM_DisplayGridMonth(benchmark::State& state)
{
    Fixture& f = *g_fixture;
    LedgerGrid grid;
    grid.resize(1100, 560);
    grid.show();
    for (auto _ : state) {
        QList<LedgerLine> lines;
        DbError error;
        LedgerData(f.ctx->db(), f.ctx->companyId).readPeriod(QStringLiteral("202611"), QStringLiteral("202611"), &lines,
                                                             &error);
        lines.removeIf([](const LedgerLine& l) { return l.kind != 1; });
        grid.setTable(LedgerTable::monthly(lines));
        grid.repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = grid.model()->rowCount();
}

} // namespace

BENCHMARK(BM_MonthlyLedgerYearPdf)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_MonthlyLedgerFloor)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_IndividualLedgersPdf)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_IndividualLedgersFloor)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_DisplayGridMonth)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv)
{
    return bench::formBenchmarkMain<QApplication>(argc, argv, &g_fixture, [](const QString& folder, QString* error) {
        return bench::makeStatementData(folder, kEmployees, yearMonths(), {"202606", "202612"}, error);
    });
}
