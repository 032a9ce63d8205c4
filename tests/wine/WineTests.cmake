# End-to-end tests of the real Kestrafil.exe under Wine: a Windows GoogleTest driver, built by
# the same cross toolchain, starts the program and checks it through Win32 calls the way a
# user meets it.

# GoogleTest for Windows, built from the Debian sources inside this build. Its headers count as
# system headers, so our strict warnings do not apply to them.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL
                 SYSTEM)
# Not our code: it gets neither our warnings-as-errors nor the GBK execution charset.
set_property(TARGET gtest gtest_main PROPERTY COMPILE_OPTIONS -w)

set(wine_tests_dir ${CMAKE_SOURCE_DIR}/tests/wine)
file(GLOB wine_support_sources CONFIGURE_DEPENDS ${wine_tests_dir}/support/*.cpp)
file(GLOB wine_test_sources CONFIGURE_DEPENDS ${wine_tests_dir}/*_test.cpp)

add_executable(wine_tests ${wine_support_sources} ${wine_test_sources})
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(wine_tests PRIVATE
  _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX
  # Wine maps the Unix root to drive Z:.
  "KESTRAFIL_EXE=\"Z:$<TARGET_FILE:Kestrafil>\""
  "KESTRAFIL_ARTIFACTS=\"Z:${CMAKE_BINARY_DIR}\"")
target_link_libraries(wine_tests PRIVATE gtest gtest_main user32 gdi32)
target_link_options(wine_tests PRIVATE -static -static-libgcc -static-libstdc++)
add_dependencies(wine_tests Kestrafil)

# Built exactly as Kestrafil.exe is, to show what a failed operator new does there.
add_executable(out_of_memory_probe WIN32 ${wine_tests_dir}/programs/out_of_memory_probe.cpp
                                         ${program_runtime} ${kestrafil_resources})
target_include_directories(out_of_memory_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(out_of_memory_probe PRIVATE kestrafil_win32)
target_compile_options(out_of_memory_probe PRIVATE ${kestrafil_program_options})
target_link_options(out_of_memory_probe PRIVATE $<TARGET_PROPERTY:Kestrafil,LINK_OPTIONS>)
target_compile_definitions(wine_tests PRIVATE
  "OUT_OF_MEMORY_PROBE_EXE=\"Z:$<TARGET_FILE:out_of_memory_probe>\"")
add_dependencies(wine_tests out_of_memory_probe)

# One CTest test per suite: each runs the driver once under Wine with a filter. The suites are
# read from the sources, so a new suite is registered without touching this file.
set(wine_suites)
foreach(source IN LISTS wine_test_sources)
  file(STRINGS ${source} suite_lines REGEX "^TEST(_F|_P)?\\(")
  foreach(line IN LISTS suite_lines)
    string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
    list(APPEND wine_suites ${suite})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endforeach()
list(REMOVE_DUPLICATES wine_suites)

foreach(suite IN LISTS wine_suites)
  add_test(NAME wine.${suite}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix
                   $<TARGET_FILE:wine_tests> --gtest_filter=${suite}.*:*/${suite}.*)
  # The tests share one screen, one keyboard focus and one prefix. DISPLAY is cleared so that
  # they always run on a private Xvfb of a known size, never on the desktop of whoever runs them.
  set_tests_properties(wine.${suite} PROPERTIES
    RESOURCE_LOCK wine_display
    ENVIRONMENT DISPLAY=
    TIMEOUT 180)
endforeach()
