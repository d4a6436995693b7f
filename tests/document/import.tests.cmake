# Instrument text-file imports: reader, online-recording import, instrument data import.
vantrel_add_test(import_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TextFileReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OnlineTextImportTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstrumentTextImportTest.cpp
  DEPS vantrel_document)
