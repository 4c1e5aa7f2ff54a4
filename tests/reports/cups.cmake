# Printing through real CUPS queues: the test starts its own print server with
# scripts/cups-test-env and is reported as skipped where none can be started.
minasel_test(test_cups SOURCES test_cups.cpp DEPENDS reports_ui payroll_ui)
target_compile_definitions(test_cups PRIVATE MINASEL_CUPS_ENV="${PROJECT_SOURCE_DIR}/scripts/cups-test-env")
set_tests_properties(test_cups PROPERTIES SKIP_REGULAR_EXPRESSION "CUPS not available:")
