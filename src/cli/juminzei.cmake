list(APPEND CLI_SOURCES cmd_juminzei.cpp)
list(APPEND CLI_COMMANDS "juminzei:cmdJuminzei")
