// Recomputation of one statement, as the entry screens run it after every keystroke.
#include "payroll/kyuyocalculator.h"
#include "payroll/syoyocalculator.h"

#include <benchmark/benchmark.h>

using namespace minasel::payroll;

namespace {

CompanyRates rates()
{
    return {{1.25, 1.35, 1.5, 1.6, 1.5, 1.75}, 10000, 5000, 0.0055, 9.91, 11.5, 18.3};
}

MeisaiRecord salary()
{
    MeisaiRecord s;
    s.cid = QStringLiteral("01");
    s.payMonth = QStringLiteral("202612");
    s.employeeCode = QStringLiteral("00002");
    s.employeeKind = QStringLiteral("1");
    s.kihonkyu = 240000;
    s.commuting = 12000;
    s.qualification = 5000;
    s.housing = 10000;
    s.family = 5000;
    s.hourlyRate = 1618.24;
    s.overtimeHours = {12.5, 2, 3.25, 0, 0, 0};
    s.holidayDays = 1;
    s.callOuts = 2;
    s.absenceHours = 1.5;
    s.allowanceNames[0] = QStringLiteral("資格手当（追加）");
    s.allowances[0] = 3000;
    s.health = 14868;
    s.pension = 27450;
    s.residentTax = 12500;
    s.deductions[0] = 10000;
    s.dependants = 1;
    return s;
}

void BM_SalaryStatement(benchmark::State& state)
{
    const CompanyRates r = rates();
    const StatementSwitches sw{true, true};
    MeisaiRecord s = salary();
    long long hours = 0;
    for (auto _ : state) {
        s.overtimeHours[0] = double(++hours % 40) / 2.0;   // a new figure each time, as typed
        KyuyoResult result = calculateKyuyo(s, r, sw);
        benchmark::DoNotOptimize(result.netPay);
    }
}
BENCHMARK(BM_SalaryStatement);

void BM_BonusStatement(benchmark::State& state)
{
    SyoyoParameters p;
    p.rates = rates();
    p.switches = {true, true};
    p.insured = true;
    p.previousPay = 231460;
    MeisaiRecord b = newBonusStatement(QStringLiteral("01"), QStringLiteral("202612"), QStringLiteral("00002"),
                                       QStringLiteral("1"), 1, QStringLiteral("0"));
    long long bonus = 500000;
    for (auto _ : state) {
        b.kihonkyu = bonus++;
        SyoyoResult result = calculateSyoyo(b, p);
        benchmark::DoNotOptimize(result.netPayment);
    }
}
BENCHMARK(BM_BonusStatement);

} // namespace

BENCHMARK_MAIN();
