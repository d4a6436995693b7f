# The QPainter canvas.
vantrel_add_test(gui_platform_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/QtCanvasTest.cpp
  DEPS vantrel_gui_test_support LABELS gui OWN_MAIN)
