find_package(Qt6 QUIET COMPONENTS Test)
if(TARGET Qt6::Test)
  vantrel_add_test(gui_dialogs_a_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CBasicSettingsDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CFormulaDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CImportDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CUnitsDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogsATestSupport.cpp
    DEPS vantrel_gui_test_support Qt6::Test LABELS gui OWN_MAIN)
endif()
