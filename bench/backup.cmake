minasel_bench(bench_backup SOURCES backup/bench_backup.cpp backup/payrolldata.cpp DEPENDS backup_core)
