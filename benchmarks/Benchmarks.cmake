# How long the Start command's own work takes for long name lists, and the heap it holds.
# Run by hand from a Release build; it is no test. Left out of sanitizer builds, whose timings
# and heap figures mean nothing.
if(NOT KESTRAFIL_SANITIZE)
  find_package(benchmark REQUIRED)
  add_executable(start_command_benchmark benchmarks/start_command_benchmark.cpp)
  target_link_libraries(start_command_benchmark PRIVATE kestrafil_fake benchmark::benchmark)
endif()
