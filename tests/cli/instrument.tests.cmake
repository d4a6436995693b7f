# The instrument commands against the simulated instrument.
target_sources(cli_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/InstrumentCommandsTest.cpp)
if(TARGET vantrel-sim)
  add_dependencies(cli_tests vantrel-sim)
endif()
