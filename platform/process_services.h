// Process-wide services: start-up settings, COM, the program's location, files, child
// processes and the clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/native.h"
#include "platform/text.h"

namespace kestrafil {

struct StartedProcess {
  NativeHandle process = 0;
  NativeHandle thread = 0;
};

struct WriteResult {
  bool ok = false;
  std::size_t written = 0;
};

class ProcessServices {
 public:
  virtual ~ProcessServices() = default;

  virtual void add_error_mode(unsigned flags) = 0;
  virtual bool ole_initialize() = 0;
  virtual void ole_uninitialize() = 0;
  [[noreturn]] virtual void exit_process(int exit_code) = 0;

  virtual Text module_file_name() = 0;  // empty on failure
  virtual bool set_current_directory(TextView path) = 0;
  virtual Text current_directory() = 0;  // empty when it cannot be reported
  virtual Text temp_path() = 0;          // empty when it cannot be reported

  // CREATE_ALWAYS, GENERIC_WRITE, share mode 0, FILE_ATTRIBUTE_NORMAL; 0 on failure.
  virtual NativeHandle create_file_for_writing(TextView path) = 0;
  virtual WriteResult write_file(NativeHandle file, const char* bytes, std::size_t count) = 0;
  virtual bool close_handle(NativeHandle handle) = 0;

  // CreateProcessA with the command line as given and the window shown normally.
  virtual std::optional<StartedProcess> create_process(TextView command_line) = 0;
  virtual void wait_for_input_idle(NativeHandle process, unsigned milliseconds) = 0;

  // Milliseconds from a fixed point, to the millisecond; wraps around like GetTickCount.
  virtual std::uint32_t tick_count() = 0;

  // Memory for texts, from the C heap (it is given back with free); nullptr when exhausted.
  virtual void* allocate(std::size_t bytes) = 0;
};

}  // namespace kestrafil
