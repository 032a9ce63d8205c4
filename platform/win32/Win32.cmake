# The Windows program: the Win32 side of the platform, its resources and Kestrafil.exe.
enable_language(RC)

file(GLOB win32_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
add_executable(Kestrafil WIN32 ${win32_sources} ${CMAKE_SOURCE_DIR}/resources/kestrafil.rc)
set_target_properties(Kestrafil PROPERTIES OUTPUT_NAME Kestrafil)
# Windows 7 is the oldest system the program runs on.
target_compile_definitions(Kestrafil PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
target_link_libraries(Kestrafil PRIVATE kestrafil_core user32 gdi32 shell32 ole32)
# One file to hand out: the C and C++ runtimes and the thread library are linked in, so the
# program imports nothing but Windows' own system DLLs.
target_link_options(Kestrafil PRIVATE -static -static-libgcc -static-libstdc++)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/resources/kestrafil.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/resources/kestrafil.ico
             ${CMAKE_SOURCE_DIR}/resources/kestrafil.manifest)

include(${CMAKE_SOURCE_DIR}/tests/wine/WineTests.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tools/demo/Demo.cmake)
