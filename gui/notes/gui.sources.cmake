list(APPEND VANTREL_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CNotesDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CNotesEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NotesCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NotesToolbarIcons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextDocumentConversion.cpp
)
# The window library is made after every source list is read: link the notes core then.
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} CALL target_link_libraries vantrel_gui PUBLIC vantrel_notes)
