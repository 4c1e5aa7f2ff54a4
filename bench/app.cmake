# Start-up to the shown main menu on a full database, and the row writers' insert rate.
minasel_bench(bench_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/guibenchmain.cpp DEPENDS app_ui app_core db_core Qt6::Test)
