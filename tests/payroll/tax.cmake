minasel_test(test_tax SOURCES test_tax_monthly.cpp test_tax_bonus.cpp DEPENDS payroll_core)
