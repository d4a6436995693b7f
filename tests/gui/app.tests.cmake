vantrel_add_test(gui_app_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MainFrameTest.cpp
  DEPS vantrel_gui_test_support LABELS gui OWN_MAIN)
