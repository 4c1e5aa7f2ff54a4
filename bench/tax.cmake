minasel_bench(bench_tax SOURCES bench_tax.cpp DEPENDS payroll_core nentyo_core)
