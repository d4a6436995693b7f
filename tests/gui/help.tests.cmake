vantrel_add_test(gui_help_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HandbookTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpCommandsTest.cpp
  DEPS vantrel_gui_test_support LABELS gui OWN_MAIN)
# The help window reads the handbook next to the programs, with the pictures the build makes.
foreach(_target vantrel_handbook vantrel_handbook_pictures)
  if(TARGET ${_target})
    add_dependencies(gui_help_tests ${_target})
  endif()
endforeach()
