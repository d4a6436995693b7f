# archive_bench: load and save of a 10-million-sample document against plain file I/O.
add_executable(archive_bench ${CMAKE_CURRENT_LIST_DIR}/ArchiveBench.cpp)
vantrel_target_defaults(archive_bench)
target_link_libraries(archive_bench PRIVATE vantrel_document benchmark::benchmark)
