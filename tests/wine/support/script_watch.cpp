#include "tests/wine/support/script_watch.h"

#include <tlhelp32.h>

#include <algorithm>

#include "tests/wine/support/poll.h"

namespace wine_test {
namespace {

class OwnedSnapshot {
 public:
  OwnedSnapshot() : snapshot_(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)) {}
  ~OwnedSnapshot() {
    if (snapshot_ != INVALID_HANDLE_VALUE) CloseHandle(snapshot_);
  }
  OwnedSnapshot(const OwnedSnapshot&) = delete;
  OwnedSnapshot& operator=(const OwnedSnapshot&) = delete;

  HANDLE get() const { return snapshot_; }
  explicit operator bool() const { return snapshot_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE snapshot_;
};

std::vector<DWORD> processes_started_by(DWORD parent_id, const std::string& image_name) {
  std::vector<DWORD> found;
  const OwnedSnapshot snapshot;
  if (!snapshot) return found;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == parent_id &&
        lstrcmpiA(entry.szExeFile, image_name.c_str()) == 0) {
      found.push_back(entry.th32ProcessID);
    }
  }
  return found;
}

}  // namespace

ScriptWatch::~ScriptWatch() {
  for (const DWORD id : look()) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kReaction);
    CloseHandle(process);
  }
}

std::vector<DWORD> ScriptWatch::look() {
  const ULONGLONG now = GetTickCount64();
  const std::vector<DWORD> running = processes_started_by(program_id_, image_name_);
  for (const DWORD id : running) {
    const bool known = std::any_of(starts_.begin(), starts_.end(),
                                   [id](const Start& start) { return start.process_id == id; });
    if (!known) starts_.push_back({id, now});
  }
  return running;
}

std::optional<ScriptWatch::Start> ScriptWatch::wait_for_start(unsigned timeout_ms) {
  const std::size_t seen_before = starts_.size();
  // Polled more often than the poll helper does: a short script runs for a few tens of
  // milliseconds only, and the moment it appears is what the caller wants to know.
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (starts_.size() == seen_before) {
    if (GetTickCount64() >= deadline) return std::nullopt;
    look();
    Sleep(1);
  }
  return starts_[seen_before];
}

bool ScriptWatch::wait_for_end(unsigned timeout_ms) {
  return wait_until([this] { return look().empty(); }, timeout_ms);
}

}  // namespace wine_test
