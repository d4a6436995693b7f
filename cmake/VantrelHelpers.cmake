# Shared build rules: every library, program, test and benchmark of the project gets the
# same warnings and, with VANTREL_SANITIZE or VANTREL_FUZZ, the same instrumentation.

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
  # With the sanitizers' instrumentation GCC's flow analysis reports uninitialised reads
  # inside libstdc++ (std::regex's state copies) that cannot happen; plain builds keep it.
  if(VANTREL_SANITIZE)
    list(APPEND VANTREL_WARNINGS -Wno-maybe-uninitialized)
  endif()
elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  list(APPEND VANTREL_WARNINGS -Wno-format-nonliteral)
endif()

if(VANTREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments every library for coverage, so the fuzzers explore the readers
# whatever they call. It is the only clang build: clang's extra warnings must not stop it.
if(VANTREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VANTREL_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  list(APPEND VANTREL_WARNINGS -Wno-error)
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

# Every test case is its own CTest entry named <program>.<suite>.<case>; a case that runs
# longer than this has hung. The cases are listed when ctest runs, not at build time, so a
# build never runs a test program (sanitizer builds, builds without a display).
set(VANTREL_TEST_TIMEOUT 300)
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# The parts shared by vantrel_add_test and vantrel_add_gui_test. NEEDS names the targets a
# test runs or reads at run time (the programs, the language texts, mvdl4.ini).
function(_vantrel_test_program name sources deps needs)
  add_executable(${name} ${sources})
  vantrel_target_defaults(${name})
  # Test code spells its cases as tables of literals of mixed numeric types; the numeric
  # conversion findings there are noise, every other warning applies.
  target_compile_options(${name} PRIVATE -Wno-sign-conversion -Wno-conversion
                         -Wno-double-promotion -Wno-null-dereference)
  target_link_libraries(${name} PRIVATE ${deps} vantrel_test_support GTest::gtest)
  if(needs)
    add_dependencies(${name} ${needs})
  endif()
endfunction()

# vantrel_add_test(name SOURCES a.cpp ... DEPS lib ... [NEEDS target ...])
# A test program of the core, labelled "core" (CI runs these under the sanitizers).
function(vantrel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;NEEDS" ${ARGN})
  _vantrel_test_program(${name} "${ARG_SOURCES}" "${ARG_DEPS}" "${ARG_NEEDS}")
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS core TIMEOUT ${VANTREL_TEST_TIMEOUT})
endfunction()

# vantrel_add_gui_test(name SOURCES a.cpp ... DEPS lib ... [NEEDS target ...])
# A window test, labelled "gui": real widgets on Qt's offscreen platform, started by the
# window test support's main.
function(vantrel_add_gui_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;NEEDS" ${ARGN})
  _vantrel_test_program(${name} "${ARG_SOURCES}" "${ARG_DEPS};vantrel_gui_test_support;Qt6::Test"
                        "vantrel_lang_res;vantrel_resources;${ARG_NEEDS}")
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS gui TIMEOUT ${VANTREL_TEST_TIMEOUT} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()
