minasel_test(test_printlayer SOURCES test_printlayer.cpp DEPENDS reports_core)
minasel_test(test_reportscreens SOURCES test_employeepicker.cpp test_setuseprinter.cpp test_printjob.cpp
  DEPENDS reports_ui)
