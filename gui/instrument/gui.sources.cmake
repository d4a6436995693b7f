list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CAutoConfigDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CComCheckDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCommSettingsDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/COnlineDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CReadoutDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstrumentAccess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstrumentCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OnlineSession.cpp
)
