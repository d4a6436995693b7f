# Shared build rules: every library, program and test of the project gets the same
# warnings and, with VANTREL_SANITIZE, the same sanitizers.

set(VANTREL_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion -Wnull-dereference
    -Wdouble-promotion -Wformat=2)
if(VANTREL_WERROR)
  list(APPEND VANTREL_WARNINGS -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND VANTREL_WARNINGS -Wno-format-nonliteral)
  # GCC 12 at -O3 reports overlapping memcpy inside libstdc++'s own std::string code
  # (inlined char_traits::copy with impossible sizes); the finding is in the library, not
  # in our code, and newer releases no longer report it.
  if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND VANTREL_WARNINGS -Wno-restrict)
  endif()
elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  list(APPEND VANTREL_WARNINGS -Wno-format-nonliteral)
endif()

if(VANTREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(vantrel_target_defaults target)
  target_compile_options(${target} PRIVATE ${VANTREL_WARNINGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# vantrel_add_library(name SOURCES a.cpp ... DEPS lib ...)
function(vantrel_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  vantrel_target_defaults(${name})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# vantrel_add_test(name SOURCES a.cpp ... DEPS lib ... [LABELS l ...] [OWN_MAIN])
# Every test executable links GoogleTest (and its main unless OWN_MAIN) and is registered
# with CTest.
function(vantrel_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;DEPS;LABELS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  vantrel_target_defaults(${name})
  target_compile_options(${name} PRIVATE -Wno-sign-conversion -Wno-conversion -Wno-double-promotion -Wno-null-dereference)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    VANTREL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    VANTREL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set(labels core)
  if(ARG_LABELS)
    set(labels ${ARG_LABELS})
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 600)
endfunction()
