minasel_bench(bench_payslip SOURCES payslip/bench_payslip.cpp payslip/payslipbenchdata.cpp floor/recordedfloor.cpp floor/formbench.cpp
  DEPENDS payroll_core reports_core db_core app_core)
