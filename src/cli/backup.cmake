list(APPEND CLI_SOURCES cmd_backup.cpp)
list(APPEND CLI_COMMANDS "backup:cmdBackup" "restore:cmdRestore" "compact:cmdCompact")
