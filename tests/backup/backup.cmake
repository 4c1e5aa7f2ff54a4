minasel_test(test_backup
  SOURCES test_backupreader.cpp test_backupset.cpp test_compaction.cpp test_runbackup.cpp
  DEPENDS backup_ui backup_core)
