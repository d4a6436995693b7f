# The installed tree, tested as a user meets it (label "install"): installed into a
# temporary prefix, the programs run from another working folder and find their data; the
# desktop entry and the AppStream data pass their validators.
add_test(NAME install_tree
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/check-install.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(install_tree PROPERTIES LABELS install TIMEOUT 300)
