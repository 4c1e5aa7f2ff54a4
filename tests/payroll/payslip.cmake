minasel_test(test_payslip SOURCES test_payslip.cpp DEPENDS payroll_core reports_core)
target_compile_definitions(test_payslip PRIVATE MINASEL_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden")
minasel_test(test_payslipscreens SOURCES test_payslipscreens.cpp DEPENDS payroll_ui reports_ui)
