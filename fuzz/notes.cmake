# fuzz_notes_rtf: libFuzzer over the notes RTF reader and writer (needs clang). The RTF
# sources are compiled a second time with coverage instrumentation into a library of their
# own; they need nothing but the platform strings.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(_notes_fuzz_flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  set(_notes_lib_flags -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)
  if(TARGET vantrel_platform)
    target_compile_options(vantrel_platform PRIVATE -Wno-error)
  endif()
  add_library(vantrel_notes_rtf_fuzzed STATIC
    ${PROJECT_SOURCE_DIR}/src/notes/RtfDocument.cpp
    ${PROJECT_SOURCE_DIR}/src/notes/RtfReader.cpp
    ${PROJECT_SOURCE_DIR}/src/notes/RtfWriter.cpp)
  vantrel_target_defaults(vantrel_notes_rtf_fuzzed)
  target_compile_options(vantrel_notes_rtf_fuzzed PRIVATE ${_notes_lib_flags})
  target_link_libraries(vantrel_notes_rtf_fuzzed PUBLIC vantrel_platform)

  add_executable(fuzz_notes_rtf ${CMAKE_CURRENT_LIST_DIR}/NotesRtfFuzzer.cpp)
  vantrel_target_defaults(fuzz_notes_rtf)
  target_compile_options(fuzz_notes_rtf PRIVATE ${_notes_fuzz_flags})
  target_link_options(fuzz_notes_rtf PRIVATE ${_notes_fuzz_flags})
  target_link_libraries(fuzz_notes_rtf PRIVATE vantrel_notes_rtf_fuzzed)
else()
  message(STATUS "fuzz_notes_rtf needs clang; skipped")
endif()
