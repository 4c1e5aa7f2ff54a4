list(APPEND CLI_SOURCES cmd_gensen.cpp)
list(APPEND CLI_COMMANDS "gensen:cmdGensen:draws")
