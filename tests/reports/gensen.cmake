minasel_test(test_gensen SOURCES test_gensen.cpp DEPENDS reports_core)
target_compile_definitions(test_gensen PRIVATE MINASEL_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden")
minasel_test(test_prtgensen SOURCES test_prtgensen.cpp DEPENDS reports_ui)
