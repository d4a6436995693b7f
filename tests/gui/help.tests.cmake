vantrel_add_test(gui_help_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HandbookTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpCommandsTest.cpp
  DEPS vantrel_gui_test_support LABELS gui OWN_MAIN)
