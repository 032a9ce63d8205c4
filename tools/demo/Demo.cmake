# The demo driver that tools/demo.sh runs under Wine. It is made of the Wine tests' driving
# pieces (find, click, type, paste, watch the script, capture) and reads the control
# identifiers and the window's caption from the program's own layout.
set(demo_support ${CMAKE_SOURCE_DIR}/tests/wine/support)
add_executable(kestrafil_demo
  ${CMAKE_SOURCE_DIR}/tools/demo/demo_main.cpp
  ${demo_support}/clipboard.cpp
  ${demo_support}/keys.cpp
  ${demo_support}/mouse.cpp
  ${demo_support}/png.cpp
  ${demo_support}/poll.cpp
  ${demo_support}/screenshot.cpp
  ${demo_support}/script_watch.cpp
  ${demo_support}/typing.cpp
  ${demo_support}/window_finder.cpp)
target_compile_definitions(kestrafil_demo PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
target_link_libraries(kestrafil_demo PRIVATE kestrafil_core user32 gdi32)
# The core's ordinary code, not its link-time optimised one (see Win32.cmake).
target_link_options(kestrafil_demo PRIVATE -static -static-libgcc -static-libstdc++ -fno-lto)
