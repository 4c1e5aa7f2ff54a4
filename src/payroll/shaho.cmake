# Social insurance from the standard monthly remuneration: the dated rates, the
# premium arithmetic and what a statement takes from them.
list(APPEND CORE_SOURCES shahorates.cpp shahocalc.cpp shahopremiums.cpp)
list(APPEND CORE_DEPENDS masters_core)
