list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CSampleEditDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSampleTableDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SampleCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SampleTableContents.cpp
)
