// The window services of the platform: the main window and its controls, the message queue
// and message boxes. The core decides; these only carry the decision out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/native.h"
#include "platform/text.h"
#include "platform/window_design.h"

namespace kestrafil {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// A queued message, complete enough to be handed back for translation and dispatch.
struct Message {
  NativeHandle window = 0;
  unsigned id = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  std::uint32_t time = 0;
  int x = 0;
  int y = 0;
};

enum class QueueHead { empty, quit, message };

struct KeyModifiers {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// What the main window reports to the core; the window procedure only decodes and calls.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // WM_COMMAND. Returns false when the standard handling should run.
  virtual bool on_command(unsigned id, unsigned notification) = 0;
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
  // Creates the hidden main window, its menu and controls from the design; false on failure.
  virtual bool create_main_window(const WindowDesign& design, Rect outer, WindowEvents& events) = 0;
  virtual void show_main_window() = 0;
  virtual bool main_window_exists() = 0;
  virtual void close_main_window() = 0;  // as the close box does
  virtual bool is_main_window_or_control(NativeHandle window) = 0;

  virtual std::size_t control_text_length(int child_id) = 0;
  // Copies at most capacity - 1 bytes and a NUL; gives the number of bytes copied.
  virtual std::size_t read_control_text(int child_id, char* buffer, std::size_t capacity) = 0;
  virtual void write_control_text(int child_id, const char* text) = 0;
  virtual void enable_control(int child_id, bool enabled) = 0;
  virtual bool control_visible(int child_id) = 0;
  virtual bool control_enabled(int child_id) = 0;
  virtual int focused_control() = 0;  // 0 when no control of the main window has the focus
  virtual void focus_control(int child_id) = 0;

  virtual KeyModifiers key_modifiers() = 0;

  // Any window, this program's or another's.
  virtual NativeHandle active_window() = 0;
  virtual NativeHandle foreground_window() = 0;
  virtual bool is_window(NativeHandle window) = 0;
  // Every window of this program that has no parent, in the system's order.
  virtual std::vector<NativeHandle> top_level_windows() = 0;
  virtual bool window_enabled(NativeHandle window) = 0;
  virtual void enable_window(NativeHandle window, bool enabled) = 0;
  virtual void set_foreground_window(NativeHandle window) = 0;
  virtual void set_active_window(NativeHandle window) = 0;
  // FindWindowExA over top-level windows by their whole title; 0 when there is none.
  virtual NativeHandle find_top_level_window(const char* title) = 0;

  // Waits for a message; false when it is WM_QUIT, whose code is then in message.wparam.
  virtual bool wait_message(Message& message) = 0;
  virtual QueueHead peek_message() = 0;
  virtual Message remove_message() = 0;
  virtual void translate_and_dispatch(const Message& message) = 0;
  virtual void post_quit(int exit_code) = 0;

  // MessageBoxA without owner; gives the button that closed it.
  virtual int message_box(const char* text, const char* title, unsigned style) = 0;
};

}  // namespace kestrafil
