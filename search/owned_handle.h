// One owner for a kernel handle: it is closed exactly once, on every path out of its scope.
#pragma once

#include <utility>

#include "platform/process_services.h"

namespace kestrafil {

// Ref is FileRef, EventRef, ProcessRef or ThreadRef.
template <class Ref>
class OwnedHandle {
 public:
  OwnedHandle(ProcessServices& services, Ref handle) : services_(services), handle_(handle) {}
  ~OwnedHandle() { close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  explicit operator bool() const { return !is_none(handle_); }
  [[nodiscard]] Ref get() const { return handle_; }

  // Closes now, for a caller that needs to know whether the close worked.
  bool close() {
    if (is_none(handle_)) return true;
    return services_.close_handle(std::exchange(handle_, Ref{}));
  }

  // Closes the handle held so far and owns this one instead.
  void reset(Ref handle) {
    close();
    handle_ = handle;
  }

 private:
  ProcessServices& services_;
  Ref handle_;
};

}  // namespace kestrafil
