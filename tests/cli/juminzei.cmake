minasel_test(test_cli_juminzei SOURCES test_cli_juminzei.cpp DEPENDS db_core)
target_compile_definitions(test_cli_juminzei PRIVATE MINASEL_CLI="$<TARGET_FILE:minasel-cli>")
add_dependencies(test_cli_juminzei minasel-cli)
