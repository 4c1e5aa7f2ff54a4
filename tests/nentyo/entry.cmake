minasel_test(test_inpnentyo SOURCES test_inpnentyo.cpp DEPENDS nentyo_ui)
