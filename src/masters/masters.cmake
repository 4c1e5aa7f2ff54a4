list(APPEND CORE_SOURCES
  sqlfailure.cpp companyrepository.cpp employee.cpp
  jyugyoinrepository.cpp codemaster.cpp otheritems.cpp)
list(APPEND UI_SOURCES
  inpkaisyajoho.cpp mstjyugyoin.cpp griddelegate.cpp mastergridscreen.cpp
  mstcodemaster.cpp mstotheritems.cpp)
