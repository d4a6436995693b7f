# The document: open rules by file type, save rules, modified and imported states, titles.
vantrel_add_test(document_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CVantrel40DocTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentTitleTest.cpp
  DEPS vantrel_document)
