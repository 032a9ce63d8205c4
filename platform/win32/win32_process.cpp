// Process-wide services: error mode, COM, errors, the program's location, files, clock.
#include <algorithm>
#include <cstdlib>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

static_assert(static_cast<UINT>(ErrorMode::fail_critical_errors) == SEM_FAILCRITICALERRORS);
static_assert(static_cast<UINT>(ErrorMode::no_open_file_error_box) == SEM_NOOPENFILEERRORBOX);
static_assert(static_cast<DWORD>(SystemError::disk_full) == ERROR_DISK_FULL);

// Bounds the growth of a path buffer: Windows' longest path, 32,767 UTF-16 units, in at most two
// bytes each.
constexpr DWORD kLongestPath = 65536;

// For calls that give the length they wrote, or, when the buffer is too small, the size they
// need with its NUL. The size is asked again while the path grows between the calls.
template <class Call>
Text path_of_any_length(Call call) {
  DWORD size = MAX_PATH;
  for (;;) {
    Text path(size, '\0');
    const DWORD length = call(path.data(), size);
    if (length == 0) return {};  // GetLastError tells why
    if (length < size) {
      path.resize(length);
      return path;
    }
    size = length;
  }
}

}  // namespace

void Win32Platform::add_error_mode(ErrorMode flags) {
  SetErrorMode(GetErrorMode() | static_cast<UINT>(flags));
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

SystemError Win32Platform::last_error() {
  return static_cast<SystemError>(GetLastError());
}

Text Win32Platform::describe_error(SystemError error) {
  char* words = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&words), 0, nullptr);
  const ScopedLocal owner(words);
  if (length == 0) return {};
  TextView text(words, length);
  // Windows ends its sentences with a line break, which the message already has where needed.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.remove_suffix(1);
  }
  return Text(text);
}

// GetModuleFileNameA does not say what size it needs: a full buffer may have cut the path.
Text Win32Platform::module_file_name() {
  for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
    Text path(size, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return {};
}

bool Win32Platform::set_current_directory(TextView path) {
  const Text directory(path);
  return SetCurrentDirectoryA(directory.c_str()) != FALSE;
}

Text Win32Platform::current_directory() {
  return path_of_any_length(
      [](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

Text Win32Platform::temp_path() {
  return path_of_any_length([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

Text Win32Platform::system_directory() {
  return path_of_any_length(
      [](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
}

FileRef Win32Platform::create_file_for_writing(TextView path) {
  const Text name(path);
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? FileRef{} : to_ref<FileRef>(file);
}

WriteResult Win32Platform::write_file(FileRef file, TextView bytes) {
  DWORD written = 0;
  const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
  const BOOL ok = WriteFile(from_ref<HANDLE>(file), bytes.data(), size, &written, nullptr);
  return {ok != FALSE, written};
}

bool Win32Platform::close_handle(FileRef file) {
  return CloseHandle(from_ref<HANDLE>(file)) != FALSE;
}

bool Win32Platform::close_handle(EventRef event) {
  return CloseHandle(from_ref<HANDLE>(event)) != FALSE;
}

bool Win32Platform::close_handle(ProcessRef process) {
  return CloseHandle(from_ref<HANDLE>(process)) != FALSE;
}

bool Win32Platform::close_handle(ThreadRef thread) {
  return CloseHandle(from_ref<HANDLE>(thread)) != FALSE;
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
