// The search-job scripts that a program starts, watched from outside through process
// snapshots: each shows as a cmd.exe that the program started.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wine_test {

class ScriptWatch {
 public:
  struct Start {
    DWORD process_id;
    ULONGLONG seen_at;  // GetTickCount64 when the watch first saw it
  };

  // Watches the command interpreters that the program with this identifier starts; or, with
  // another program file's name, the processes of that file that it starts.
  explicit ScriptWatch(DWORD program_id, std::string image_name = "cmd.exe")
      : program_id_(program_id), image_name_(std::move(image_name)) {}
  // Ends those that still run, so that nothing outlives its test.
  ~ScriptWatch();
  ScriptWatch(const ScriptWatch&) = delete;
  ScriptWatch& operator=(const ScriptWatch&) = delete;

  // The first one that the program starts from now on, or nothing within the timeout.
  std::optional<Start> wait_for_start(unsigned timeout_ms);

  // True once none of them runs any more.
  bool wait_for_end(unsigned timeout_ms);

  // Every one seen so far, in the order they were seen.
  const std::vector<Start>& starts() const { return starts_; }

 private:
  // Those that run now; notes those not seen before.
  std::vector<DWORD> look();

  DWORD program_id_;
  std::string image_name_;
  std::vector<Start> starts_;
};

}  // namespace wine_test
