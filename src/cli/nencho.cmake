list(APPEND CLI_SOURCES cmd_nencho.cpp)
list(APPEND CLI_COMMANDS "nencho:cmdNencho")
