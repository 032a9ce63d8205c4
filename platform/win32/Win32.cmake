# The Windows program: the Win32 side of the platform, its resources and Kestrafil.exe.
enable_language(RC)

# The Win32 platform as a library, so that in-process tests link the very code the program runs.
file(GLOB win32_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
add_library(kestrafil_win32 STATIC ${win32_sources})
# Windows 7 is the oldest system the program runs on.
target_compile_definitions(kestrafil_win32 PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
# No shell32: the shell is loaded when a command first needs it (win32_shell.cpp).
target_link_libraries(kestrafil_win32 PUBLIC kestrafil_core user32 gdi32 ole32)

# The icon, version information and manifest; whatever loads DEFAULT_ICON from its own module
# links them too.
set(kestrafil_resources ${CMAKE_SOURCE_DIR}/resources/kestrafil.rc)
set_property(SOURCE ${kestrafil_resources} APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/resources/kestrafil.ico
             ${CMAKE_SOURCE_DIR}/resources/kestrafil.manifest)

set(program_runtime ${CMAKE_SOURCE_DIR}/app/win32/program_runtime.cpp)
add_executable(Kestrafil WIN32 ${CMAKE_SOURCE_DIR}/app/win32/main.cpp ${program_runtime}
                          ${kestrafil_resources})
set_target_properties(Kestrafil PROPERTIES OUTPUT_NAME Kestrafil)
target_link_libraries(Kestrafil PRIVATE kestrafil_win32)
# The program catches no exception and asks no type at run time, so it is built without both;
# the library's exception machinery, its unwinder and demangler were two thirds of the file.
# program_runtime.cpp stands in for the parts of the runtime that would bring them back. Only
# the program's own targets: the tests and the Wine driver keep exceptions.
# Size first (-Oz), and optimised across files at link time. The objects also carry ordinary
# code, so that the tests that link the same libraries can link them without link-time
# optimisation (-fno-lto there): mingw's linker plugin takes inline functions that both a
# library and a test define as defined twice.
set(kestrafil_program_options
    -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables
    -Oz -flto -ffat-lto-objects)
foreach(target IN ITEMS kestrafil_core kestrafil_win32 Kestrafil)
  target_compile_options(${target} PRIVATE ${kestrafil_program_options})
endforeach()
# One file to hand out: the C and C++ runtimes and the thread library are linked in, so the
# program imports nothing but Windows' own system DLLs.
target_link_options(Kestrafil PRIVATE -static -static-libgcc -static-libstdc++)
# The file we hand out carries no symbols and no link time, so two builds of one commit give the
# same bytes; the linker also drops the runtime's sections that nothing reaches.
target_link_options(Kestrafil PRIVATE -s -Wl,--no-insert-timestamp -Wl,--gc-sections -flto)

include(${CMAKE_SOURCE_DIR}/tests/wine/WineTests.cmake)
include(${CMAKE_SOURCE_DIR}/tools/demo/Demo.cmake)
include(${CMAKE_SOURCE_DIR}/tests/win32/AdapterTests.cmake)
include(${CMAKE_SOURCE_DIR}/tests/release/ReleaseTests.cmake)
include(${CMAKE_SOURCE_DIR}/benchmarks/floor/Floor.cmake)
