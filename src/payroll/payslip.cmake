list(APPEND UI_SOURCES payslipscreens.cpp payslipprint.cpp)
