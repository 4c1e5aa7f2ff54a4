list(APPEND CLI_SOURCES cmd_payslips.cpp)
list(APPEND CLI_COMMANDS "payslips:cmdPayslips:draws")
