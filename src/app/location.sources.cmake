# The data folder lookup (build tree or installed tree) and the programs' version line.
list(APPEND VANTREL_APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DataFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramVersion.cpp)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/ProgramVersion.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS VANTREL_PROJECT_VERSION="${PROJECT_VERSION}")
