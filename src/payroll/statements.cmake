list(APPEND CORE_SOURCES
  meisairecord.cpp kyuyocalculator.cpp syoyocalculator.cpp statementrepository.cpp statementdemo.cpp)
list(APPEND UI_SOURCES statementscreens.cpp inpkyuyo.cpp inpsyoyo.cpp statementwidgets.cpp statementscreen.cpp)
