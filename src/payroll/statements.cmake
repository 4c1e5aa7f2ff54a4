list(APPEND UI_SOURCES statementscreens.cpp)
