list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CAxisDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CChartSetupDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCurvePropertiesDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CFilterDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMarkerDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartSwatches.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberField.cpp
)
