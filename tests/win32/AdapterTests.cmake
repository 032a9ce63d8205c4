# In-process tests of the Win32 platform: the test creates the real main window inside its own
# process, where menu handles, fonts and painted pixels can be read, which a second process
# cannot do under Wine. Uses the GoogleTest targets that WineTests.cmake builds.
add_executable(win32_adapter_tests ${CMAKE_SOURCE_DIR}/tests/win32/adapter_test.cpp
                                   ${CMAKE_SOURCE_DIR}/tests/win32/process_adapter_test.cpp
                                   ${kestrafil_resources})
target_include_directories(win32_adapter_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(win32_adapter_tests PRIVATE kestrafil_win32 gtest gtest_main)
# The libraries' ordinary code, not their link-time optimised one (see Win32.cmake).
target_link_options(win32_adapter_tests PRIVATE -static -static-libgcc -static-libstdc++ -fno-lto)

add_test(NAME win32.adapter
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix
                 $<TARGET_FILE:win32_adapter_tests>)
# Shares the screen and the prefix with the end-to-end tests, so runs never overlap; DISPLAY is
# cleared so that it always runs on a private Xvfb.
set_tests_properties(win32.adapter PROPERTIES
  RESOURCE_LOCK wine_display
  ENVIRONMENT DISPLAY=
  TIMEOUT 120)
