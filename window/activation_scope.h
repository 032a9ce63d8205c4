// Gives the foreground and the activation back once a modal loop of the system has ended.
#pragma once

#include "platform/window_system.h"

namespace kestrafil {

// A message box without owner, or the folder picker, ends while the program's windows are still
// disabled, so Windows activates none of them and the user's place would be lost. The windows
// that were in front and active when the scope began get both back, if they still exist.
class ActivationScope {
 public:
  explicit ActivationScope(WindowSystem& windows)
      : windows_(windows),
        active_(windows.active_window()),
        foreground_(windows.foreground_window()) {}

  ~ActivationScope() {
    if (!is_none(foreground_) && windows_.is_window(foreground_)) {
      windows_.set_foreground_window(foreground_);
    }
    if (!is_none(active_) && windows_.is_window(active_)) windows_.set_active_window(active_);
  }

  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

  // The window that was active when the scope began; none for none.
  [[nodiscard]] WindowRef active() const { return active_; }

 private:
  WindowSystem& windows_;
  WindowRef active_;
  WindowRef foreground_;
};

}  // namespace kestrafil
