# Help of the command-line programs and the simulated instrument's demonstration measurements.
target_sources(cli_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/DemoMeasurementsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpTest.cpp)
if(TARGET vantrel-sim)
  add_dependencies(cli_tests vantrel-sim)
endif()
