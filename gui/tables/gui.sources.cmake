list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CLegende.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMyListFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CurveSelectionDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InformationSheetView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RowWindowTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Swatches.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableModel.cpp
)
