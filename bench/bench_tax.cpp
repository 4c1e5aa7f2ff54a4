// One monthly withholding and one year-end adjustment should take microseconds.
#include "nentyo/nentyocalc.h"
#include "payroll/withholdingtax.h"

#include <benchmark/benchmark.h>

namespace {

const QString kMonth = QStringLiteral("202612");

void BM_MonthlyWithholding(benchmark::State& state)
{
    long long pay = 250'000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(minasel::payroll::monthlyWithholding(kMonth, pay, 2));
        pay = pay == 1'250'000 ? 250'000 : pay + 1;
    }
}
BENCHMARK(BM_MonthlyWithholding);

void BM_BonusWithholding(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(minasel::payroll::bonusWithholding(kMonth, 800'000, 320'000, 1));
}
BENCHMARK(BM_BonusWithholding);

void BM_YearEndAdjustment(benchmark::State& state)
{
    minasel::nentyo::NentyoInput in;
    in.kyuryo = 5'400'000;
    in.kyuryoTax = 120'000;
    in.syoyo = 1'200'000;
    in.syoyoTax = 50'000;
    in.hoken = 950'000;
    in.semeHoken = 60'000;
    in.semeHokenNew = 90'000;
    in.kaigoIryoHoken = 30'000;
    in.songaiHoken1 = 20'000;
    in.haigu = true;
    in.haiguMoney = 700'000;
    in.famiNum = 1;
    in.tokutei = {800'000};
    in.under23 = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(minasel::nentyo::calcNentyo(2026, in));
        in.kyuryo = in.kyuryo == 6'400'000 ? 5'400'000 : in.kyuryo + 1;
    }
}
BENCHMARK(BM_YearEndAdjustment);

} // namespace

BENCHMARK_MAIN();
