// The main window as the commands see it: its controls' texts and states, message boxes, and
// the handling of each message that the event loop or a wait takes from the queue.
#pragma once

#include <array>
#include <optional>

#include "platform/platform.h"
#include "platform/text.h"
#include "window/layout.h"

namespace kestrafil {

class MainWindow {
 public:
  explicit MainWindow(Platform& platform);

  Platform& platform() { return platform_; }

  // Builds the hidden window from the layout at `outer`; false when Windows refuses it.
  bool create(Rect outer, WindowEvents& events);
  void show();

  Text read_text(Control control);
  // Without copying the text, which may be a list of a million names.
  [[nodiscard]] bool text_empty(Control control);
  void write_text(Control control, TextView text);
  // Also after the window is gone; then only the control's record changes.
  void set_disabled(Control control, bool disabled);
  [[nodiscard]] bool disabled(Control control) const;
  // The style gets task-modal added unless it asks for system-modal; no title gives the
  // default one.
  void show_message(TextView text, MessageBoxStyle style = MessageBoxStyle::ok,
                    std::optional<TextView> title = {});

  // Pre-translation, translation and dispatch of one message taken from the queue.
  void handle_message(const Message& message);
  // Handles the waiting messages one at a time until the queue is empty or its head is
  // WM_QUIT, which stays for the event loop.
  void serve_events();

  // The window lost activation while `focused_child` (0 for none) had the focus.
  void remember_focus(int focused_child);
  // The child that gets the focus when the window receives it (0 for none).
  int focus_target();

 private:
  bool pre_translate(const Message& message);
  void move_focus(bool forward);
  bool takes_focus(const ControlRow& row);
  int first_focus_target();

  Platform& platform_;
  int remembered_focus_ = 0;
  std::array<bool, kControlCount> disabled_{};
};

}  // namespace kestrafil
