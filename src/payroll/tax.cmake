list(APPEND CORE_SOURCES withholdingtax.cpp taxrules.cpp)
