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
  return {to_ref<EventRef>(event), existed};
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
  return StartedProcess{to_ref<ProcessRef>(started.hProcess), to_ref<ThreadRef>(started.hThread)};
}

bool Win32Platform::duplicate_into(EventRef event, ProcessRef process) {
  HANDLE copy = nullptr;
  return DuplicateHandle(GetCurrentProcess(), from_ref<HANDLE>(event), from_ref<HANDLE>(process),
                         &copy, 0, FALSE, DUPLICATE_SAME_ACCESS) != FALSE;
}

bool Win32Platform::resume_thread(ThreadRef thread) {
  return ResumeThread(from_ref<HANDLE>(thread)) != static_cast<DWORD>(-1);
}

void Win32Platform::terminate_process(ProcessRef process) {
  TerminateProcess(from_ref<HANDLE>(process), 1);
}

bool Win32Platform::wait_for_input_idle(ProcessRef process, unsigned milliseconds) {
  return WaitForInputIdle(from_ref<HANDLE>(process), milliseconds) == 0;
}

}  // namespace kestrafil
