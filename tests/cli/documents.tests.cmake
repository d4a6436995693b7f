# The document commands: dump and convert of every file type, export-csv, formula, render.
target_sources(cli_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/DocumentCommandsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SafeSaveCommandsTest.cpp)
target_link_libraries(cli_tests PRIVATE vantrel_app vantrel_tables vantrel_formula)
