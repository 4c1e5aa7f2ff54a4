# Salary and bonus transfer files: bank kana, the fixed records, bank data of the
# company and the employees, the transfer list and CSV import (core); the bank
# data sub-screens and the transfer file screen (ui).
list(APPEND CORE_SOURCES
  bankkana.cpp zenginfile.cpp bankaccounts.cpp transferdata.cpp transferfile.cpp transferlistlayout.cpp
  bankcsvimport.cpp bankdemo.cpp)
list(APPEND CORE_DEPENDS masters_core reports_core)
list(APPEND UI_SOURCES
  kanafield.cpp bankaccountbox.cpp inpkaisyaginko.cpp mstjyugyoinginko.cpp runfurikomi.cpp csvpreview.cpp screenparts.cpp)
list(APPEND UI_DEPENDS reports_ui)
