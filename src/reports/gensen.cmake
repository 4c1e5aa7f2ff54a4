# Withholding slip: its data, layout and batch (core); the print screen (ui).
list(APPEND CORE_SOURCES gensendata.cpp gensenlayout.cpp gensenbatch.cpp printoffset.cpp)
list(APPEND CORE_DEPENDS nentyo_core)
list(APPEND UI_SOURCES gensenprintjob.cpp prtgensen.cpp)
