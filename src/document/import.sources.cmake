# Instrument text-file imports: the sequential reader, the online-recording import (.vqo)
# and the instrument data import (.vqm, .vqg, .vqk).
list(APPEND VANTREL_DOCUMENT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TextFileReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OnlineTextImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstrumentTextImport.cpp
)
