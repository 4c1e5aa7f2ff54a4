minasel_test(test_employeelist SOURCES test_employeelist.cpp DEPENDS reports_ui masters_ui)
target_compile_definitions(test_employeelist PRIVATE MINASEL_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden"
  MINASEL_CLI="$<TARGET_FILE:minasel-cli>")
add_dependencies(test_employeelist minasel-cli)
