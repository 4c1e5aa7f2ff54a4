minasel_test(test_shaho SOURCES test_shaho.cpp DEPENDS payroll_core)
minasel_test(test_shaho_screens SOURCES test_shaho_screens.cpp DEPENDS payroll_ui masters_ui)
target_compile_definitions(test_shaho PRIVATE MINASEL_SHAHO_REFERENCE="${CMAKE_CURRENT_SOURCE_DIR}/data/social-insurance.md")
