# Crash recovery windows: the start-up recovery dialog and the recovery copy timer.
vantrel_add_test(gui_recovery_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CRecoveryDlgTest.cpp
  DEPS vantrel_gui_test_support LABELS gui OWN_MAIN)
target_include_directories(gui_recovery_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
foreach(_files vantrel_lang_res vantrel_resources)
  if(TARGET ${_files})
    add_dependencies(gui_recovery_tests ${_files})
  endif()
endforeach()
