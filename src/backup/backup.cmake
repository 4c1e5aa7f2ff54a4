list(APPEND CORE_SOURCES
  backuptables.cpp backupformat.cpp backupreader.cpp backupwriter.cpp backuprestorer.cpp
  databasecompactor.cpp filesafety.cpp errorline.cpp autobackup.cpp)
list(APPEND UI_SOURCES runbackup.cpp filedialog.cpp)
