# The profile (INI) store, the product information file, the port settings and port map.
list(APPEND VANTREL_APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortMap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStore.cpp
)
