# Resident tax by the municipal notice: the notices, their split, the statement's
# source and the leaving rules, the CSV import (core); the entry, company and
# import screens (ui). The CSV is read by the backup files' quoted-value reader.
list(APPEND CORE_SOURCES juminzeischedule.cpp juminzeirepository.cpp juminzeiimport.cpp)
list(APPEND CORE_DEPENDS reports_core backup_core)
list(APPEND UI_SOURCES juminzeiscreens.cpp mstjuminzei.cpp dspjuminzei.cpp juminzeiimportpreview.cpp
  juminzeistatementpart.cpp)
