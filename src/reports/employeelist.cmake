# Employee list: its data and printed layout (core), the print and display screens (ui).
list(APPEND CORE_SOURCES employeelist.cpp employeelistlayout.cpp)
list(APPEND CORE_DEPENDS masters_core)
list(APPEND UI_SOURCES prtjyugyoin.cpp dspjyugyoin.cpp)
