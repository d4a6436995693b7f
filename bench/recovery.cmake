# recovery_bench: online recording of 6 channels at 10 000 sample sets per second over a
# pseudo-terminal with and without the recording journal (VANTREL_ONLINE_SECONDS sets the
# length); prints the owning thread's share of a core and the journal's overhead against
# their limits.
add_executable(recovery_bench ${CMAKE_CURRENT_LIST_DIR}/RecoveryBench.cpp)
vantrel_target_defaults(recovery_bench)
target_link_libraries(recovery_bench PRIVATE vantrel_sim_core vantrel_recovery benchmark::benchmark)
