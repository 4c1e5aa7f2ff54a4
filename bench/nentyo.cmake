# The year-end adjustment: recomputation per keystroke and registering a 200-employee company.
minasel_bench(bench_nentyo SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_nentyo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/guibenchmain.cpp DEPENDS nentyo_ui Qt6::Test)
