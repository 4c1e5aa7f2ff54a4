list(APPEND CLI_SOURCES cmd_employees.cpp)
list(APPEND CLI_COMMANDS "employees:cmdEmployees:draws")
