#include "tests/wine/support/kestrafil_process.h"

#include <stdexcept>

#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

std::string profile_folder(const char* name) {
  char profile[MAX_PATH] = {};
  GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
  const std::string folder = std::string(profile) + "\\" + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

PROCESS_INFORMATION start(const std::string& program, const std::string& current_directory) {
  std::string command_line = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      current_directory.empty() ? nullptr : current_directory.c_str(), &startup,
                      &info)) {
    throw std::runtime_error("cannot start " + program);
  }
  CloseHandle(info.hThread);
  return info;
}

std::string installed_program(const std::string& folder) {
  const std::string path = folder + "\\Kestrafil.exe";
  if (!CopyFileA(KESTRAFIL_EXE, path.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " KESTRAFIL_EXE " to " + path);
  }
  return path;
}

}  // namespace

std::string program_folder() {
  return profile_folder("Kestrafil Test");
}

std::string other_folder() {
  return profile_folder("Kestrafil Start");
}

OwnedProcess::~OwnedProcess() {
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
  }
  CloseHandle(process_);
}

KestrafilProcess::KestrafilProcess(const std::string& current_directory)
    : KestrafilProcess(start(installed_program(program_folder()), current_directory)) {}

KestrafilProcess KestrafilProcess::installed_in(const std::string& folder) {
  return KestrafilProcess(start(installed_program(folder), {}));
}

KestrafilProcess::KestrafilProcess(const PROCESS_INFORMATION& started)
    : process_id_(started.dwProcessId), process_(started.hProcess) {
  const bool shown = wait_until([this] {
    main_window_ = find_top_level(process_id_, {}, "Kestrafil");
    return main_window_ != nullptr;
  });
  if (!shown) throw std::runtime_error("Kestrafil showed no main window");
}

std::optional<DWORD> KestrafilProcess::wait_for_exit(unsigned timeout_ms) {
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return {};
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

}  // namespace wine_test
