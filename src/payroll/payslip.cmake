# Payslips: layout and batch (core), printing from the statement screens and
# the batch screen (ui).
list(APPEND CORE_SOURCES payslipdata.cpp paysliplayout.cpp payslipbatch.cpp)
list(APPEND CORE_DEPENDS reports_core)
list(APPEND UI_SOURCES payslipscreens.cpp payslipprintjob.cpp prtkyuyosyoyo.cpp)
list(APPEND UI_DEPENDS reports_ui)
