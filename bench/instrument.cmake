# instrument_bench: memory readout over a pseudo-terminal at full speed, and online recording
# of 6 channels at 10 000 sample sets per second (VANTREL_ONLINE_SECONDS sets the length).
add_executable(instrument_bench ${CMAKE_CURRENT_LIST_DIR}/InstrumentBench.cpp)
vantrel_target_defaults(instrument_bench)
target_link_libraries(instrument_bench PRIVATE vantrel_sim_core benchmark::benchmark)
