#include "search/job_lock.h"

namespace kestrafil {

JobLock::JobLock(ProcessServices& services) : services_(services), event_(services, 0) {
  const auto event = services_.create_named_event(kJobLockName);
  if (event.handle == 0) {
    error_ = services_.last_error();
    return;
  }
  event_.reset(event.handle);
  if (event.already_existed) {
    // Opening it took nothing from the job that holds it; this copy just lets go.
    event_.reset(0);
    state_ = State::busy;
    return;
  }
  state_ = State::held;
}

bool JobLock::hand_to(NativeHandle process) {
  if (!services_.duplicate_into(event_.get(), process)) {
    error_ = services_.last_error();
    return false;
  }
  event_.reset(0);
  return true;
}

}  // namespace kestrafil
