# Document archive: primitives, tag protocol, whole documents and malformed input.
vantrel_add_test(archive_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveWriterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MeasurementArchiveTest.cpp
  DEPS vantrel_document)
