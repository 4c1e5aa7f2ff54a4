# nencho over a company's stored rows (the command itself is registered with tax).
list(APPEND CLI_SOURCES cmd_nencho.cpp)
