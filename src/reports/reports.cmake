# Print layer (canvas, paper, fonts), employee picker lists; their screens.
list(APPEND CORE_SOURCES
  printcanvas.cpp paintercanvas.cpp pdfcanvas.cpp recordingcanvas.cpp printpaper.cpp fonts.cpp
  pickerlists.cpp csvwriter.cpp textfit.cpp)
list(APPEND CORE_DEPENDS app_core)
list(APPEND UI_SOURCES
  printercanvas.cpp printjob.cpp printpreview.cpp employeepicker.cpp setuseprinter.cpp waitframe.cpp)
