// The window services of the platform: the main window and its controls, the message queue
// and message boxes. The core decides; these only carry the decision out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/flags.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "platform/window_design.h"

namespace kestrafil {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// What a queued message is to the keyboard handling, as the platform decodes it.
enum class KeyMessage {
  none,          // no keyboard message
  key_down,      // WM_KEYDOWN
  sys_key_down,  // WM_SYSKEYDOWN: with Alt, or F10
  other,         // any other keyboard message: key up, character, dead character
};

// The keys that the main window looks at before the focused control does; all others are other.
enum class Key { other, tab, escape, enter };

// A queued message, complete enough to be handed back for translation and dispatch.
struct Message {
  WindowRef window{};
  unsigned id = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  std::uint32_t time = 0;
  int x = 0;
  int y = 0;
  KeyMessage keyboard = KeyMessage::none;
  Key key = Key::other;  // for key_down and sys_key_down
};

enum class QueueHead { empty, quit, message };

struct KeyModifiers {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// The notification code of a WM_COMMAND: a button's click, or anything else a control reports.
// A menu choice carries the click's code.
enum class Notification { click, other };

// MessageBoxA's styles that the program uses, with the system's values.
enum class MessageBoxStyle : unsigned {
  ok = 0x0000,  // one OK button and no icon
  icon_error = 0x0010,
  system_modal = 0x1000,
  task_modal = 0x2000,
};
template <>
struct IsFlags<MessageBoxStyle> : std::true_type {};

// What the main window reports to the core; the window procedure only decodes and calls.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // WM_COMMAND. Returns false when the standard handling should run.
  virtual bool on_command(unsigned id, Notification notification) = 0;
  // The window lost activation while `focused_child` (0 for none) had the focus.
  virtual void on_deactivated(int focused_child) = 0;
  // The window received the keyboard focus; returns the child to pass it to (0 for none).
  virtual int on_focus_received() = 0;
  virtual void on_destroyed() = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual ScreenSize screen_size() = 0;
  // What the main window's frame, with its caption bar and one line of menu bar, adds to the
  // client area under the current system metrics.
  virtual FrameExtent main_frame_extent() = 0;
  // Creates the hidden main window, its menu and controls from the design; false on failure.
  virtual bool create_main_window(const WindowDesign& design, Rect outer, WindowEvents& events) = 0;
  virtual void show_main_window() = 0;
  virtual bool main_window_exists() = 0;
  virtual void close_main_window() = 0;  // as the close box does
  virtual bool is_main_window_or_control(WindowRef window) = 0;

  virtual std::size_t control_text_length(int child_id) = 0;
  // Copies at most capacity - 1 bytes and a NUL; gives the number of bytes copied.
  virtual std::size_t read_control_text(int child_id, char* buffer, std::size_t capacity) = 0;
  virtual void write_control_text(int child_id, TextView text) = 0;
  virtual void enable_control(int child_id, bool enabled) = 0;
  virtual bool control_visible(int child_id) = 0;
  virtual bool control_enabled(int child_id) = 0;
  virtual int focused_control() = 0;  // 0 when no control of the main window has the focus
  // Moves the focus as Tab does: from then on the focused control shows its focus rectangle.
  virtual void focus_control(int child_id) = 0;

  virtual KeyModifiers key_modifiers() = 0;

  // Any window, this program's or another's.
  virtual WindowRef active_window() = 0;
  virtual WindowRef foreground_window() = 0;
  virtual bool is_window(WindowRef window) = 0;
  // Every window of this program that has no parent, in the system's order.
  virtual std::vector<WindowRef> top_level_windows() = 0;
  virtual bool window_enabled(WindowRef window) = 0;
  virtual void enable_window(WindowRef window, bool enabled) = 0;
  virtual void set_foreground_window(WindowRef window) = 0;
  virtual void set_active_window(WindowRef window) = 0;
  // FindWindowExA over top-level windows by their whole title; none when there is none.
  virtual WindowRef find_top_level_window(TextView title) = 0;

  // Waits for a message; false when it is WM_QUIT, whose code is then in message.wparam.
  virtual bool wait_message(Message& message) = 0;
  virtual QueueHead peek_message() = 0;
  virtual Message remove_message() = 0;
  virtual void translate_and_dispatch(const Message& message) = 0;
  virtual void post_quit(int exit_code) = 0;

  // MessageBoxA without owner; gives the button that closed it.
  virtual int message_box(TextView text, TextView title, MessageBoxStyle style) = 0;
};

}  // namespace kestrafil
