list(APPEND CORE_SOURCES
  backuptables.cpp backupformat.cpp backupreader.cpp backupwriter.cpp backuprestorer.cpp
  databasecompactor.cpp filesafety.cpp errorline.cpp autobackup.cpp manifest.cpp)
set_property(SOURCE manifest.cpp APPEND PROPERTY COMPILE_DEFINITIONS MINASEL_VERSION="${PROJECT_VERSION}")
list(APPEND UI_SOURCES runbackup.cpp filedialog.cpp)
