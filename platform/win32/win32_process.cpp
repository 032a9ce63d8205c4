// Process-wide services: error mode, COM, the program's location, files, processes, clock.
#include <algorithm>
#include <cstdlib>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

constexpr DWORD kPathBuffer = 260;

// A path that a call writes into a 260-byte buffer; empty when the call fails or the path
// would not fit.
template <class Call>
Text path_from(Call call) {
  char buffer[kPathBuffer] = {};
  const DWORD length = call(buffer, kPathBuffer);
  if (length == 0 || length >= kPathBuffer) return {};
  return Text(buffer, length);
}

}  // namespace

void Win32Platform::add_error_mode(unsigned flags) {
  SetErrorMode(GetErrorMode() | flags);
}

bool Win32Platform::ole_initialize() {
  return SUCCEEDED(OleInitialize(nullptr));
}

void Win32Platform::ole_uninitialize() {
  OleUninitialize();
}

void Win32Platform::exit_process(int exit_code) {
  ExitProcess(static_cast<UINT>(exit_code));
}

Text Win32Platform::module_file_name() {
  return path_from(
      [](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

bool Win32Platform::set_current_directory(TextView path) {
  const Text directory(path);
  return SetCurrentDirectoryA(directory.c_str()) != FALSE;
}

Text Win32Platform::current_directory() {
  return path_from([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

Text Win32Platform::temp_path() {
  return path_from([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

NativeHandle Win32Platform::create_file_for_writing(TextView path) {
  const Text name(path);
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? 0 : to_native(file);
}

WriteResult Win32Platform::write_file(NativeHandle file, const char* bytes, std::size_t count) {
  DWORD written = 0;
  const auto size = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
  const BOOL ok = WriteFile(from_native<HANDLE>(file), bytes, size, &written, nullptr);
  return {ok != FALSE, written};
}

bool Win32Platform::close_handle(NativeHandle handle) {
  return CloseHandle(from_native<HANDLE>(handle)) != FALSE;
}

std::optional<StartedProcess> Win32Platform::create_process(TextView command_line) {
  Text command(command_line);  // CreateProcessA may write into its command line
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return std::nullopt;
  }
  return StartedProcess{to_native(started.hProcess), to_native(started.hThread)};
}

void Win32Platform::wait_for_input_idle(NativeHandle process, unsigned milliseconds) {
  WaitForInputIdle(from_native<HANDLE>(process), milliseconds);
}

// From the performance counter: GetTickCount moves in steps of 10 to 16 ms, so a one-second
// wait timed by it would end up to a step late.
std::uint32_t Win32Platform::tick_count() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  const auto whole_seconds = now.QuadPart / frequency.QuadPart;
  const auto rest = now.QuadPart % frequency.QuadPart;
  return static_cast<std::uint32_t>(whole_seconds * 1000 + rest * 1000 / frequency.QuadPart);
}

void* Win32Platform::allocate(std::size_t bytes) {
  return std::malloc(bytes);
}

}  // namespace kestrafil
