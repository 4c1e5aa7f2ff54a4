minasel_bench(bench_gensen SOURCES gensen/bench_gensen.cpp gensen/gensenbenchdata.cpp payslip/payslipbenchdata.cpp
  floor/recordedfloor.cpp floor/formbench.cpp DEPENDS reports_core nentyo_core db_core app_core)
target_include_directories(bench_gensen PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/payslip)
