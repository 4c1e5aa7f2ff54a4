minasel_bench(bench_ledger SOURCES ledger/bench_ledger.cpp payslip/payslipbenchdata.cpp floor/recordedfloor.cpp floor/formbench.cpp
  DEPENDS reports_ui reports_core db_core app_core)
target_include_directories(bench_ledger PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/payslip)
