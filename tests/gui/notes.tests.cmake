# The notes editor, the notes page of the printout and the sample dialogs.
find_package(Qt6 QUIET COMPONENTS Test)
if(TARGET Qt6::Test AND TARGET vantrel_notes)
  vantrel_add_test(gui_notes_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CNotesDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NotesCommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CSampleTableDlgTest.cpp
    DEPS vantrel_gui_test_support Qt6::Test LABELS gui OWN_MAIN)
  target_include_directories(gui_notes_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  foreach(_files vantrel_lang_res vantrel_resources)
    if(TARGET ${_files})
      add_dependencies(gui_notes_tests ${_files})
    endif()
  endforeach()
endif()
