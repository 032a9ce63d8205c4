// The search job's process: the lock's event, and a child started suspended with an
// environment of its own.
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_platform.h"

namespace kestrafil {

NamedEvent Win32Platform::create_named_event(TextView name) {
  const Text event_name(name);
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
  // Read at once: the next call may change it.
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  if (event == nullptr) return {};
  return {to_native(event), existed};
}

std::optional<StartedProcess> Win32Platform::create_suspended_process(const SuspendedStart& start) {
  const Text program(start.program);
  Text command(start.command_line);  // CreateProcessA may write into its command line
  std::wstring environment = changed_environment(start.removed_variables, start.added_variables);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr,
                      &startup, &started)) {
    return std::nullopt;
  }
  return StartedProcess{to_native(started.hProcess), to_native(started.hThread)};
}

bool Win32Platform::duplicate_into(NativeHandle object, NativeHandle process) {
  HANDLE copy = nullptr;
  return DuplicateHandle(GetCurrentProcess(), from_native<HANDLE>(object),
                         from_native<HANDLE>(process), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS) != FALSE;
}

bool Win32Platform::resume_thread(NativeHandle thread) {
  return ResumeThread(from_native<HANDLE>(thread)) != static_cast<DWORD>(-1);
}

void Win32Platform::terminate_process(NativeHandle process) {
  TerminateProcess(from_native<HANDLE>(process), 1);
}

void Win32Platform::wait_for_input_idle(NativeHandle process, unsigned milliseconds) {
  WaitForInputIdle(from_native<HANDLE>(process), milliseconds);
}

}  // namespace kestrafil
