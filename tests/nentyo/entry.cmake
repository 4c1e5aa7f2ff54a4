minasel_test(test_inpnentyo SOURCES test_inpnentyo.cpp DEPENDS nentyo_ui)
minasel_test(test_cli_nencho SOURCES test_cli_nencho.cpp DEPENDS nentyo_ui)
target_compile_definitions(test_cli_nencho PRIVATE MINASEL_CLI_PATH="$<TARGET_FILE:minasel-cli>")
add_dependencies(test_cli_nencho minasel-cli)
