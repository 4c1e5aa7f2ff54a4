list(APPEND CLI_SOURCES cmd_ledger.cpp)
list(APPEND CLI_COMMANDS "ledger:cmdLedger:draws")
