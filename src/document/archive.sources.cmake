# Document archive: primitive reader and writer, and the whole document file.
list(APPEND VANTREL_DOCUMENT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MeasurementArchive.cpp
)
