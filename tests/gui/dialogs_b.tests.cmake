# The chart dialogs (chart setup, curve and axis properties, markers, curve filter) driven
# through their widgets, and the chart commands that open them.
find_package(Qt6 QUIET COMPONENTS Test)
if(TARGET Qt6::Test)
  vantrel_add_test(gui_dialogs_b_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DialogsBTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberFieldTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CAxisDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CCurvePropertiesDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CChartSetupDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMarkerDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CFilterDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChartDialogsTest.cpp
    DEPS vantrel_gui_test_support Qt6::Test LABELS gui OWN_MAIN)
  foreach(_files vantrel_lang_res vantrel_resources)
    if(TARGET ${_files})
      add_dependencies(gui_dialogs_b_tests ${_files})
    endif()
  endforeach()
endif()
