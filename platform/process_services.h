// Process-wide services: start-up settings, COM, the program's location, files, child
// processes and the clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/flags.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace kestrafil {

// Why a call failed, as Windows numbers it (GetLastError); describe_error puts it in words.
enum class SystemError : std::uint32_t {
  none = 0,
  disk_full = 112,  // the reason the core gives a write that stopped short
};

struct StartedProcess {
  ProcessRef process{};
  ThreadRef thread{};
};

// SetErrorMode's flags that the program adds, with the system's values.
enum class ErrorMode : unsigned {
  fail_critical_errors = 0x0001,
  no_open_file_error_box = 0x8000,
};
template <>
struct IsFlags<ErrorMode> : std::true_type {};

struct EnvironmentVariable {
  TextView name;
  TextView value;
};

// A process that starts suspended, so that the caller can hand it what it must own before it
// runs: the program file is named whole (no search along PATH), and it gets the program's own
// environment without the removed variables and with the added ones.
struct SuspendedStart {
  TextView program;
  TextView command_line;
  std::span<const TextView> removed_variables;
  std::span<const EnvironmentVariable> added_variables;
};

struct NamedEvent {
  EventRef event{};  // none when it could not be made or opened
  bool already_existed = false;
};

struct WriteResult {
  bool ok = false;
  std::size_t written = 0;
};

class ProcessServices {
 public:
  virtual ~ProcessServices() = default;

  virtual void add_error_mode(ErrorMode flags) = 0;
  virtual bool ole_initialize() = 0;
  virtual void ole_uninitialize() = 0;
  [[noreturn]] virtual void exit_process(int exit_code) = 0;

  // The reason for the last call of this interface that failed.
  virtual SystemError last_error() = 0;
  // Windows' own words for an error, in the ANSI code page; empty when it has none.
  virtual Text describe_error(SystemError error) = 0;

  // Paths of any length; empty when they cannot be reported (last_error tells why).
  virtual Text module_file_name() = 0;
  virtual bool set_current_directory(TextView path) = 0;
  virtual Text current_directory() = 0;
  virtual Text temp_path() = 0;
  virtual Text system_directory() = 0;

  // CREATE_ALWAYS, GENERIC_WRITE, share mode 0, FILE_ATTRIBUTE_NORMAL; none on failure.
  virtual FileRef create_file_for_writing(TextView path) = 0;
  virtual WriteResult write_file(FileRef file, TextView bytes) = 0;

  virtual bool close_handle(FileRef file) = 0;
  virtual bool close_handle(EventRef event) = 0;
  virtual bool close_handle(ProcessRef process) = 0;
  virtual bool close_handle(ThreadRef thread) = 0;

  // A manual-reset event in this logon session's namespace, made or opened.
  virtual NamedEvent create_named_event(TextView name) = 0;

  // Shown normally, in the program's current directory, inheriting no handles.
  virtual std::optional<StartedProcess> create_suspended_process(const SuspendedStart& start) = 0;
  // Gives the process a handle of its own to the event, which it keeps until it exits; its
  // children do not inherit it.
  virtual bool duplicate_into(EventRef event, ProcessRef process) = 0;
  virtual bool resume_thread(ThreadRef thread) = 0;
  virtual void terminate_process(ProcessRef process) = 0;
  // False when the wait failed or gave up.
  virtual bool wait_for_input_idle(ProcessRef process, unsigned milliseconds) = 0;

  // Milliseconds from a fixed point, to the millisecond; wraps around like GetTickCount.
  virtual std::uint32_t tick_count() = 0;

  // Memory for texts, from the C heap (it is given back with free); nullptr when exhausted.
  virtual void* allocate(std::size_t bytes) = 0;
};

}  // namespace kestrafil
