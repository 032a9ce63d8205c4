# libFuzzer targets (clang) over the script composition and the double-byte scanning. They build
# only the sources they exercise, which hold no program texts, so they need no GBK character set.
# About a minute in all for the test suite; make fuzz runs them much longer.
set(fuzz_test_seconds 30)

set(fuzz_sanitizers address,undefined)
add_library(kestrafil_fuzz_core STATIC platform/text.cpp search/script.cpp)
target_include_directories(kestrafil_fuzz_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(kestrafil_fuzz_core PUBLIC -fsanitize=fuzzer-no-link,${fuzz_sanitizers}
  -fno-sanitize-recover=all -fno-omit-frame-pointer)

foreach(target script_composition text_characters)
  add_executable(fuzz_${target} tests/fuzz/${target}_fuzzer.cpp)
  target_link_libraries(fuzz_${target} PRIVATE kestrafil_fuzz_core)
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,${fuzz_sanitizers})
  # A fixed seed and a fresh scratch corpus: every run tries the same inputs in the same order, as
  # far as its time goes, and the committed seeds are only read.
  add_test(NAME fuzz.${target}
    COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:fuzz_${target}>
      -DSEEDS=${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus/${target}
      -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/fuzz-scratch/${target}
      -DSECONDS=${fuzz_test_seconds}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/run_fuzzer.cmake)
endforeach()
