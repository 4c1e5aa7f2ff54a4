# The year-end adjustment entry: stored rows, declarations, the screen.
list(APPEND CORE_SOURCES mynumber.cpp nentyorecord.cpp nentyorepository.cpp nentyobatch.cpp)
list(APPEND CORE_DEPENDS payroll_core)
list(APPEND UI_SOURCES inpnentyo.cpp)
list(APPEND UI_DEPENDS payroll_ui)
