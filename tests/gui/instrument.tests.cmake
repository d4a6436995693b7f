# Instrument windows against the simulated instrument (in-process on a pseudo-terminal, and
# the vantrel-sim program in demo mode).
if(TARGET vantrel_sim_core)
  vantrel_add_test(gui_instrument_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/InstrumentTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CAutoConfigDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CComCheckDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CCommSettingsDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/COnlineDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CReadoutDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoInstrumentTest.cpp
    DEPS vantrel_gui_test_support vantrel_sim_core LABELS gui OWN_MAIN)
  target_include_directories(gui_instrument_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests
                                                          ${PROJECT_SOURCE_DIR}/tests/instrument)
  # The tests start the program's language texts, product information and simulator.
  add_dependencies(gui_instrument_tests vantrel-sim)
  if(TARGET vantrel)
    add_dependencies(gui_instrument_tests vantrel)
  endif()
  foreach(_files vantrel_lang_res vantrel_resources)
    if(TARGET ${_files})
      add_dependencies(gui_instrument_tests ${_files})
    endif()
  endforeach()
endif()
