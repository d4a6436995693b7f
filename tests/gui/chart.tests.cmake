# The chart window: view, frame commands, printing and the text dialog.
find_package(Qt6 QUIET COMPONENTS Test)
if(TARGET Qt6::Test)
  vantrel_add_test(gui_chart_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CChildFrameTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CTextDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CVantrel40ViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChartPrintingTest.cpp
    DEPS vantrel_gui_test_support Qt6::Test LABELS gui OWN_MAIN)
endif()
