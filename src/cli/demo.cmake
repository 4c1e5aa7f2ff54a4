list(APPEND CLI_SOURCES cmd_demo.cpp)
list(APPEND CLI_COMMANDS "demo:cmdDemo")
