minasel_test(test_ledgers SOURCES test_ledgers.cpp DEPENDS reports_core)
target_compile_definitions(test_ledgers PRIVATE MINASEL_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden")
