list(APPEND CLI_SOURCES cmd_tax.cpp)
list(APPEND CLI_COMMANDS "tax:cmdTax" "koyo:cmdKoyo" "nencho:cmdNencho")
