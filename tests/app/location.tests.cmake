# Tests of the data folder lookup and the programs' version line.
vantrel_add_test(location_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DataFolderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramVersionTest.cpp
  DEPS vantrel_app)
