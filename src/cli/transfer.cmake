list(APPEND CLI_SOURCES cmd_transfer.cpp)
list(APPEND CLI_COMMANDS "transfer:cmdTransfer:draws")
