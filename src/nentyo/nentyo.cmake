list(APPEND CORE_SOURCES nentyorules.cpp nentyocalc.cpp)
