# Social insurance from the standard monthly remuneration: the company's settings and
# the employees' standard amounts (core); their parts of the company and employee
# screens and the statutory-rates dialog (ui), which compute with payroll's rates.
list(APPEND CORE_SOURCES shahostore.cpp)
list(APPEND UI_SOURCES shahosettingsbox.cpp hoteiritudialog.cpp hyojunbox.cpp)
list(APPEND UI_DEPENDS payroll_core)
