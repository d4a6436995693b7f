# Crash recovery: recovery copies, termination signals and the start-up recovery dialog.
list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CRecoveryDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecoveryKeeper.cpp)
