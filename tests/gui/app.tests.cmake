vantrel_add_test(gui_app_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MainFrameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenFromOutsideTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtTranslationsTest.cpp
  DEPS vantrel_gui_test_support LABELS gui OWN_MAIN)
# A second start of the program itself hands files to the running one.
if(TARGET vantrel)
  add_dependencies(gui_app_tests vantrel)
endif()

# Pictures at the device pixel ratio: the same tests at ratio 1 and at ratio 2.
find_package(Qt6 QUIET COMPONENTS Test)
if(TARGET Qt6::Test)
  vantrel_add_test(gui_hidpi_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HighDpiTest.cpp
    DEPS vantrel_gui_test_support Qt6::Test LABELS gui OWN_MAIN)
  add_test(NAME gui_hidpi_tests_ratio2 COMMAND gui_hidpi_tests)
  set_tests_properties(gui_hidpi_tests_ratio2 PROPERTIES LABELS gui TIMEOUT 600
    ENVIRONMENT "QT_SCALE_FACTOR=2")
endif()
