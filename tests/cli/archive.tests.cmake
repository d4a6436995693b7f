# The archive commands: dump and convert, exit status and the error line.
vantrel_add_test(cli_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/ArchiveCommandsTest.cpp
  DEPS vantrel_document)
add_dependencies(cli_tests vantrel-cli)
