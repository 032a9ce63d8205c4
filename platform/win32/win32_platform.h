// The platform on Windows: each method is a thin call into Win32; the decisions stay with the
// core.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/win32/scoped.h"

namespace kestrafil {

// A Win32 handle as the core's typed reference, and back.
template <class Ref>
Ref to_ref(const void* handle) {
  return Ref{reinterpret_cast<std::uintptr_t>(handle)};
}

template <class Handle, class Ref>
Handle from_ref(Ref ref) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(ref));
}

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance) : instance_(instance) {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;
  // Out of line: with link-time optimisation, mingw's linker takes the implicit destructor's
  // thunks from two objects as defined twice.
  ~Win32Platform() override;

  // WindowSystem
  ScreenSize screen_size() override;
  FrameExtent main_frame_extent() override;
  bool create_main_window(const WindowDesign& design, Rect outer, WindowEvents& events) override;
  void show_main_window() override;
  bool main_window_exists() override;
  void close_main_window() override;
  bool is_main_window_or_control(WindowRef window) override;
  std::size_t control_text_length(int child_id) override;
  std::size_t read_control_text(int child_id, char* buffer, std::size_t capacity) override;
  void write_control_text(int child_id, TextView text) override;
  void enable_control(int child_id, bool enabled) override;
  bool control_visible(int child_id) override;
  bool control_enabled(int child_id) override;
  int focused_control() override;
  void focus_control(int child_id) override;
  KeyModifiers key_modifiers() override;
  WindowRef active_window() override;
  WindowRef foreground_window() override;
  bool is_window(WindowRef window) override;
  std::vector<WindowRef> top_level_windows() override;
  bool window_enabled(WindowRef window) override;
  void enable_window(WindowRef window, bool enabled) override;
  void set_foreground_window(WindowRef window) override;
  void set_active_window(WindowRef window) override;
  WindowRef find_top_level_window(TextView title) override;
  bool wait_message(Message& message) override;
  QueueHead peek_message() override;
  Message remove_message() override;
  void translate_and_dispatch(const Message& message) override;
  void post_quit(int exit_code) override;
  int message_box(TextView text, TextView title, MessageBoxStyle style) override;

  // ProcessServices
  void add_error_mode(ErrorMode flags) override;
  bool ole_initialize() override;
  void ole_uninitialize() override;
  [[noreturn]] void exit_process(int exit_code) override;
  SystemError last_error() override;
  Text describe_error(SystemError error) override;
  Text module_file_name() override;
  bool set_current_directory(TextView path) override;
  Text current_directory() override;
  Text temp_path() override;
  Text system_directory() override;
  FileRef create_file_for_writing(TextView path) override;
  WriteResult write_file(FileRef file, TextView bytes) override;
  bool close_handle(FileRef file) override;
  bool close_handle(EventRef event) override;
  bool close_handle(ProcessRef process) override;
  bool close_handle(ThreadRef thread) override;
  NamedEvent create_named_event(TextView name) override;
  std::optional<StartedProcess> create_suspended_process(const SuspendedStart& start) override;
  bool duplicate_into(EventRef event, ProcessRef process) override;
  bool resume_thread(ThreadRef thread) override;
  void terminate_process(ProcessRef process) override;
  bool wait_for_input_idle(ProcessRef process, unsigned milliseconds) override;
  std::uint32_t tick_count() override;
  void* allocate(std::size_t bytes) override;

  // ShellServices
  ItemListRef browse_for_folder(WindowRef owner, TextView title, BrowseFlag flags) override;
  std::optional<Text> path_from_item_list(ItemListRef item_list) override;
  bool free_item_list(ItemListRef item_list) override;
  bool shell_execute(WindowRef owner, TextView verb, TextView file,
                     std::optional<TextView> parameters, std::optional<TextView> directory,
                     ShowCommand show) override;

  // CodePage
  bool is_lead_byte(unsigned char byte) const override;

 private:
  static LRESULT CALLBACK main_window_procedure(HWND window, UINT id, WPARAM wparam, LPARAM lparam);
  LRESULT handle_main_window_message(HWND window, UINT id, WPARAM wparam, LPARAM lparam);
  bool register_window_classes();
  ScopedWindow create_frame(const WindowDesign& design, Rect outer);
  bool create_controls(HWND frame, const WindowDesign& design);
  void set_icons(HWND frame, const char* resource);
  HWND control(int child_id) const;
  int child_id_of(HWND window) const;

  HINSTANCE instance_;
  HWND main_ = nullptr;
  WindowEvents* events_ = nullptr;  // set once the main window is fully built
  HFONT font_ = nullptr;            // the main window's, from WM_SETFONT
  ScopedIcon large_icon_;
  ScopedIcon small_icon_;
};

}  // namespace kestrafil
