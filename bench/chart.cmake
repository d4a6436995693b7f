# Chart redraw: six curves of ten million samples against six of ten thousand.
add_executable(chart_bench ${CMAKE_CURRENT_LIST_DIR}/ChartBench.cpp)
vantrel_target_defaults(chart_bench)
target_link_libraries(chart_bench PRIVATE vantrel_chart benchmark::benchmark)
