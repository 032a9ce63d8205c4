#include "search/job_lock.h"

namespace kestrafil {

JobLock::JobLock(ProcessServices& services) : services_(services), event_(services, EventRef{}) {
  const auto event = services_.create_named_event(kJobLockName);
  if (is_none(event.event)) {
    error_ = services_.last_error();
    return;
  }
  event_.reset(event.event);
  if (event.already_existed) {
    // Opening it took nothing from the job that holds it; this copy just lets go.
    event_.reset(EventRef{});
    state_ = State::busy;
    return;
  }
  state_ = State::held;
}

bool JobLock::hand_to(ProcessRef process) {
  if (!services_.duplicate_into(event_.get(), process)) {
    error_ = services_.last_error();
    return false;
  }
  event_.reset(EventRef{});
  return true;
}

}  // namespace kestrafil
