list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AboutBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMainFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CVantrel40App.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DemoInstrument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentTemplates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Features.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtTranslations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentFrame.h
)
