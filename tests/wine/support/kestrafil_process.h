// The real Kestrafil.exe as a user meets it: copied into a folder whose path has a space,
// started there, and found by its main window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wine_test {

// Where the program lives during the tests, and a second folder to start it from.
std::string program_folder();
std::string other_folder();

// Owns a process handle; a process that is still running when its owner goes is ended, so the
// next test meets a clean screen.
class OwnedProcess {
 public:
  explicit OwnedProcess(HANDLE process) : process_(process) {}
  ~OwnedProcess();
  OwnedProcess(const OwnedProcess&) = delete;
  OwnedProcess& operator=(const OwnedProcess&) = delete;

  HANDLE get() const { return process_; }

 private:
  HANDLE process_;
};

class KestrafilProcess {
 public:
  // Starts a fresh copy with this current directory (the test's own when empty) and waits for
  // its main window. Throws when the program does not start or shows no window.
  explicit KestrafilProcess(const std::string& current_directory = {});
  // Copies the program into another folder and starts it from there, as a user starts a second
  // copy kept elsewhere; waits for its main window.
  static KestrafilProcess installed_in(const std::string& folder);

  HWND main_window() const { return main_window_; }
  DWORD process_id() const { return process_id_; }
  HWND control(int child_id) const { return GetDlgItem(main_window_, child_id); }

  // The exit code once the process has ended within the timeout.
  std::optional<DWORD> wait_for_exit(unsigned timeout_ms);

 private:
  explicit KestrafilProcess(const PROCESS_INFORMATION& started);

  DWORD process_id_ = 0;
  OwnedProcess process_;
  HWND main_window_ = nullptr;
};

}  // namespace wine_test
