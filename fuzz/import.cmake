# libFuzzer targets of the instrument text-file imports: fuzz_online_import (".vqo") and
# fuzz_instrument_import (".vqm", ".vqg", ".vqk"). The import sources are compiled a second
# time with coverage instrumentation into a library of their own, so the fuzzers explore the
# parsers whatever else of the document library is instrumented.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(_import_fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  set(_import_lib_flags -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)

  # Clang's extra warnings in the libraries the imports build on must not stop this build.
  foreach(_library vantrel_platform vantrel_model)
    if(TARGET ${_library})
      target_compile_options(${_library} PRIVATE -Wno-error)
    endif()
  endforeach()

  set(VANTREL_DOCUMENT_SOURCES)
  include(${PROJECT_SOURCE_DIR}/src/document/import.sources.cmake)
  add_library(vantrel_import_fuzzed STATIC ${VANTREL_DOCUMENT_SOURCES})
  set(VANTREL_DOCUMENT_SOURCES)
  vantrel_target_defaults(vantrel_import_fuzzed)
  target_compile_options(vantrel_import_fuzzed PRIVATE ${_import_lib_flags})
  target_link_libraries(vantrel_import_fuzzed PUBLIC vantrel_model)

  foreach(_fuzzer Online Instrument)
    string(TOLOWER ${_fuzzer} _name)
    add_executable(fuzz_${_name}_import ${CMAKE_CURRENT_LIST_DIR}/${_fuzzer}ImportFuzzer.cpp)
    vantrel_target_defaults(fuzz_${_name}_import)
    target_compile_options(fuzz_${_name}_import PRIVATE ${_import_fuzz_flags})
    target_link_options(fuzz_${_name}_import PRIVATE ${_import_fuzz_flags})
    target_link_libraries(fuzz_${_name}_import PRIVATE vantrel_import_fuzzed)
  endforeach()
else()
  message(STATUS "fuzz_online_import and fuzz_instrument_import need clang; skipped")
endif()
