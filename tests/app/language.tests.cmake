# Tests of the language library and the placeholder replacement; they read the shipped
# language texts from the build's bin/lang_res, so those are copied first.
vantrel_add_test(language_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LanguageLibraryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlaceholdersTest.cpp
  DEPS vantrel_app)
if(TARGET vantrel_lang_res)
  add_dependencies(language_tests vantrel_lang_res)
endif()
