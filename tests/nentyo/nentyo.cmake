minasel_test(test_nentyocalc SOURCES test_nentyocalc.cpp DEPENDS nentyo_core)
