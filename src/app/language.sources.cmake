# The language library and the placeholder replacement of its texts.
list(APPEND VANTREL_APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LanguageLibrary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Placeholders.cpp)
