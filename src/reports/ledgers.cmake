# Wage ledgers: the monthly payroll ledger and the individual ledger, their
# printed forms and display grids (core), and their print and display screens (ui).
list(APPEND CORE_SOURCES
  ledgerline.cpp ledgerdata.cpp ledgerperiod.cpp formpen.cpp ledgerform.cpp getudaityoform.cpp
  kojindaityoform.cpp ledgertable.cpp)
list(APPEND UI_SOURCES
  ledgerprintjob.cpp ledgergrid.cpp ledgerdisplay.cpp prtgetudaityo.cpp dspgetudaityo.cpp prtkojindaityo.cpp dspkojindaityo.cpp
  ledgerscreens.cpp)
