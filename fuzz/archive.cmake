# fuzz_archive_reader: libFuzzer over the document reader (needs clang).
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(_fuzz_flags -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)
  foreach(_library vantrel_platform vantrel_model vantrel_document)
    target_compile_options(${_library} PRIVATE ${_fuzz_flags})
  endforeach()
  # The fuzz build is the only clang build: clang's extra warnings in the libraries the
  # reader builds on must not stop it.
  foreach(_library vantrel_platform vantrel_model vantrel_app)
    if(TARGET ${_library})
      target_compile_options(${_library} PRIVATE -Wno-error)
    endif()
  endforeach()
  add_executable(fuzz_archive_reader ${CMAKE_CURRENT_LIST_DIR}/ArchiveReaderFuzz.cpp)
  vantrel_target_defaults(fuzz_archive_reader)
  target_compile_options(fuzz_archive_reader PRIVATE -fsanitize=fuzzer,address,undefined
                         -fno-sanitize-recover=undefined)
  target_link_options(fuzz_archive_reader PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_archive_reader PRIVATE vantrel_document)
else()
  message(STATUS "fuzz_archive_reader needs clang; skipped")
endif()
