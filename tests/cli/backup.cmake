minasel_test(test_cli_backup SOURCES test_cli_backup.cpp DEPENDS db_core)
target_compile_definitions(test_cli_backup PRIVATE MINASEL_CLI="$<TARGET_FILE:minasel-cli>")
add_dependencies(test_cli_backup minasel-cli)
