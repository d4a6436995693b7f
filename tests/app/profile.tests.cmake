# Tests of the profile store, the INI files, the product information and the port map.
vantrel_add_test(profile_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortMapTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductInfoTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStoreTest.cpp
  DEPS vantrel_app)
# The product information test reads the mvdl4.ini copied next to the programs.
add_dependencies(profile_tests vantrel_resources)
