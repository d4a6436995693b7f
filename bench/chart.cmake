# Chart redraw: six curves of ten million samples against six of ten thousand, on the
# raster canvas and, where Qt is found, as the chart window's picture.
add_library(chart_bench_data STATIC ${CMAKE_CURRENT_LIST_DIR}/ChartBenchData.cpp)
vantrel_target_defaults(chart_bench_data)
target_link_libraries(chart_bench_data PUBLIC vantrel_model benchmark::benchmark)

add_executable(chart_bench ${CMAKE_CURRENT_LIST_DIR}/ChartBench.cpp)
vantrel_target_defaults(chart_bench)
target_link_libraries(chart_bench PRIVATE chart_bench_data vantrel_chart)

if(TARGET vantrel_cli_qt)
  add_executable(chart_window_bench ${CMAKE_CURRENT_LIST_DIR}/ChartWindowBench.cpp)
  vantrel_target_defaults(chart_window_bench)
  target_include_directories(chart_window_bench PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(chart_window_bench PRIVATE chart_bench_data vantrel_cli_qt)
endif()
