find_package(Qt6 QUIET COMPONENTS Test)
if(TARGET Qt6::Test)
  vantrel_add_test(gui_tables_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CurveSelectionDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ListWindowsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValueTableWindowTest.cpp
    DEPS vantrel_gui_test_support Qt6::Test LABELS gui OWN_MAIN)
endif()
