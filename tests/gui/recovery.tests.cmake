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
# The online session's journal against the simulated instrument.
if(TARGET vantrel_sim_core)
  vantrel_add_test(gui_online_journal_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/InstrumentTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OnlineSessionJournalTest.cpp
    DEPS vantrel_gui_test_support vantrel_sim_core LABELS gui OWN_MAIN)
  target_include_directories(gui_online_journal_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests
                                                              ${PROJECT_SOURCE_DIR}/tests/instrument)
  add_dependencies(gui_online_journal_tests vantrel-sim)
  foreach(_files vantrel_lang_res vantrel_resources)
    if(TARGET ${_files})
      add_dependencies(gui_online_journal_tests ${_files})
    endif()
  endforeach()
endif()
