# CSV export of the tables subsystem against plain buffered writing of the same bytes.
add_executable(tables_bench ${CMAKE_CURRENT_SOURCE_DIR}/CsvExportBench.cpp)
vantrel_target_defaults(tables_bench)
target_link_libraries(tables_bench PRIVATE vantrel_tables benchmark::benchmark)
