list(APPEND CLI_SOURCES cmd_shaho.cpp)
list(APPEND CLI_COMMANDS "shaho:cmdShaho")
