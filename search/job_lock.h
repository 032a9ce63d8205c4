// One search job at a time in the user's logon session, across every copy of the program. Two
// jobs share file.txt, XXXX.BAT and the result list, so a second one would lose itself or
// corrupt both. The lock is a named event that exists from the moment a Start command begins
// writing a job's files until that job's command interpreter has exited: the Start command
// makes it, and hands a handle of its own to the interpreter, which Windows closes when the
// interpreter exits, even after the program has closed.
#pragma once

#include "platform/process_services.h"
#include "search/owned_handle.h"

namespace kestrafil {

inline constexpr TextView kJobLockName = "Local\\Kestrafil.SearchJob";

class JobLock {
 public:
  enum class State { held, busy, failed };

  explicit JobLock(ProcessServices& services);

  [[nodiscard]] State state() const { return state_; }
  // Why the lock could not be taken, or handed on.
  [[nodiscard]] SystemError error() const { return error_; }

  // Gives the job's process its own handle and lets go of this one. The process must not run
  // yet, or it could end before it holds the lock. False when the handle cannot be given; the
  // lock is then still held here.
  [[nodiscard]] bool hand_to(ProcessRef process);

 private:
  ProcessServices& services_;
  OwnedHandle<EventRef> event_;
  State state_ = State::failed;
  SystemError error_ = SystemError::none;
};

}  // namespace kestrafil
