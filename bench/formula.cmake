# Formula evaluation: the literal scanner against the compiled program.
add_executable(formula_bench ${CMAKE_CURRENT_LIST_DIR}/FormulaBench.cpp)
vantrel_target_defaults(formula_bench)
target_link_libraries(formula_bench PRIVATE vantrel_formula benchmark::benchmark)
