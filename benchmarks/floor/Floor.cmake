# The floors that the program's cost is measured against: the same window without the program,
# in C and with the C++ standard library, and the Windows driver that measures all three side
# by side under Wine. Only for the Windows build; `make bench` runs it.
enable_language(C)
set(floor_dir ${CMAKE_SOURCE_DIR}/benchmarks/floor)

add_executable(floor_window_c WIN32 ${floor_dir}/floor_window.c ${floor_dir}/floor_manifest.rc)
add_executable(floor_window_cpp WIN32 ${floor_dir}/floor_window.cpp ${floor_dir}/floor_manifest.rc)
set_property(SOURCE ${floor_dir}/floor_manifest.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/resources/kestrafil.manifest)
# Built and linked exactly as Kestrafil.exe is: the compile options are the directory's, and
# the link options are read from the program's own target, so the two can never drift apart.
foreach(floor IN ITEMS floor_window_c floor_window_cpp)
  target_link_options(${floor} PRIVATE $<TARGET_PROPERTY:Kestrafil,LINK_OPTIONS>)
  target_include_directories(${floor} PRIVATE ${CMAKE_SOURCE_DIR}/resources)
endforeach()

set(wine_support ${CMAKE_SOURCE_DIR}/tests/wine/support)
add_executable(floor_bench
  ${floor_dir}/floor_bench.cpp
  ${wine_support}/box_text.cpp
  ${wine_support}/keys.cpp
  ${wine_support}/mouse.cpp
  ${wine_support}/poll.cpp
  ${wine_support}/script_watch.cpp
  ${wine_support}/window_finder.cpp)
target_include_directories(floor_bench PRIVATE ${CMAKE_SOURCE_DIR})
# Windows 8 for GetSystemTimePreciseAsFileTime, which Wine has; the click is timed by it.
target_compile_definitions(floor_bench PRIVATE _WIN32_WINNT=0x0602 WINVER=0x0602 NOMINMAX)
target_link_libraries(floor_bench PRIVATE user32)
target_link_options(floor_bench PRIVATE -static -static-libgcc -static-libstdc++)
