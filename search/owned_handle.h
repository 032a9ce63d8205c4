// One owner for a kernel handle: it is closed exactly once, on every path out of its scope.
#pragma once

#include "platform/process_services.h"

namespace kestrafil {

class OwnedHandle {
 public:
  OwnedHandle(ProcessServices& services, NativeHandle handle)
      : services_(services), handle_(handle) {}
  ~OwnedHandle() { close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  explicit operator bool() const { return handle_ != 0; }
  [[nodiscard]] NativeHandle get() const { return handle_; }

  // Closes now, for a caller that needs to know whether the close worked.
  bool close() {
    if (handle_ == 0) return true;
    const NativeHandle handle = handle_;
    handle_ = 0;
    return services_.close_handle(handle);
  }

  // Closes the handle held so far and owns this one instead.
  void reset(NativeHandle handle) {
    close();
    handle_ = handle;
  }

 private:
  ProcessServices& services_;
  NativeHandle handle_;
};

}  // namespace kestrafil
