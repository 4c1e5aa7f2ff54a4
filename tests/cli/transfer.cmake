minasel_test(test_cli_transfer SOURCES test_cli_transfer.cpp DEPENDS app_core)
target_compile_definitions(test_cli_transfer PRIVATE MINASEL_CLI="$<TARGET_FILE:minasel-cli>")
add_dependencies(test_cli_transfer minasel-cli)
