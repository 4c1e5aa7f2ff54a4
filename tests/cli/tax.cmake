minasel_test(test_cli_tax SOURCES test_cli_tax.cpp DEPENDS Qt6::Core)
target_compile_definitions(test_cli_tax PRIVATE MINASEL_CLI_PATH="$<TARGET_FILE:minasel-cli>")
add_dependencies(test_cli_tax minasel-cli)
