// A platform without Windows: windows, files, processes, clock and shell are plain data, and
// every call is written to a log so tests can check what happened and in which order.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kestrafil::testing {

inline constexpr unsigned kQuitMessage = 0x0012;
inline constexpr unsigned kCloseMessage = 0x0010;
inline constexpr unsigned kCommandMessage = 0x0111;
inline constexpr WindowRef kMainWindow{0x1000};

// A window of the fake as the platform names it: the main window is kMainWindow, each control
// its child identifier.
constexpr WindowRef window_ref(std::uintptr_t value) {
  return WindowRef{value};
}

// A keyboard message as the Win32 side decodes it, with the raw identifier and key beside it.
Message key_message(KeyMessage keyboard, Key key, WindowRef window);

// exit_process throws this instead of ending the test run.
struct ProcessExit {
  int code;
};

struct FakeControl {
  std::string text;
  bool visible = false;
  bool enabled = true;
};

struct MessageBoxCall {
  std::string text;
  std::string title;
  MessageBoxStyle style = MessageBoxStyle::ok;
};

// A process that the program started, as the fake keeps it.
struct FakeProcess {
  std::string program;
  std::string command_line;
  std::vector<std::string> removed_variables;
  std::vector<std::string> added_variables;  // NAME=value
  bool resumed = false;
  bool ended = false;
  std::vector<std::string> held_events;  // by name, handed to it
};

struct ShellExecuteCall {
  WindowRef owner{};
  std::string verb;
  std::optional<std::string> file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  ShowCommand show{};
};

class FakePlatform : public Platform {
 public:
  // Every call, one line each, in order.
  std::vector<std::string> log;

  // --- Window system ---
  ScreenSize screen{1024, 768};
  FrameExtent frame{6, 44};  // standard metrics: 3-pixel borders, 19-pixel caption and menu bars
  bool fail_window_creation = false;
  std::optional<Rect> created_outer;
  std::map<int, FakeControl> controls;  // by child identifier, while the window exists
  bool main_window = false;
  bool main_shown = false;
  int focus = 0;
  KeyModifiers modifiers;
  WindowEvents* events = nullptr;
  std::deque<Message> queue;
  std::vector<MessageBoxCall> message_boxes;
  // Runs while a message box is up, as the user would act before closing it.
  std::function<void(const MessageBoxCall&)> while_message_box;
  // Runs for dispatched messages that are not commands or closes.
  std::function<void(const Message&)> on_dispatch;
  std::map<WindowRef, bool> windows;  // other windows: handle -> enabled
  std::vector<WindowRef> top_levels;
  WindowRef active{};
  WindowRef foreground{};
  std::map<std::string, WindowRef> titled_windows;

  // Test actions, as a user would cause them.
  void click(int child_id);
  void choose_menu(int command_id);
  // Decoded as the Win32 side decodes it: ids 0x0100 to 0x0108 are keyboard messages.
  void post(unsigned id, std::uintptr_t wparam = 0, WindowRef window = kMainWindow);
  void post_key(Key key, WindowRef window = kMainWindow);
  std::string text_of(int child_id) const;

  // --- Process services ---
  ErrorMode error_mode{};
  bool ole_ok = true;
  int ole_initialized = 0;
  std::string module_path = "C:\\Tools\\Kestrafil.exe";
  bool set_directory_ok = true;
  std::string current_dir = "C:\\Tools";
  bool fail_current_directory = false;  // Windows cannot report it
  std::string temp_dir = "C:\\Temp\\";
  bool fail_temp_path = false;  // Windows cannot report it
  std::string system_dir = "C:\\Windows\\system32";
  bool fail_system_directory = false;
  SystemError error = SystemError::none;        // the last failure's reason
  SystemError failure_reason = SystemError{5};  // what the next failure gives (access denied)
  std::map<std::string, std::string> files;     // by path as given
  std::optional<std::string> fail_create_file;  // a path that cannot be opened
  bool fail_write = false;
  std::optional<std::size_t> short_write;  // bytes written before the write stops
  bool fail_close = false;
  // Named events by name, with how many handles and processes hold each.
  std::map<std::string, int> named_events;
  bool fail_named_event = false;
  bool fail_create_process = false;
  bool fail_duplicate = false;
  bool fail_resume = false;
  bool fail_input_idle = false;  // the wait for the new process fails
  std::vector<FakeProcess> processes;
  std::vector<std::string> started;  // command lines of the processes that ran
  // Ends a started process, as its interpreter exits; what it held goes with it.
  void end_process(std::size_t index);
  std::map<std::uintptr_t, std::string> open_handles;  // files, events, processes and threads
  std::uint32_t clock = 5000;
  std::uint32_t clock_step = 1;                     // the clock moves this much at every reading
  std::optional<std::size_t> fail_allocation_from;  // allocations of this size or more fail
  std::vector<std::size_t> allocation_sizes;        // every size asked for, in order
  std::optional<std::size_t> fail_allocation_at;    // this allocation (counting from 0) fails

  // --- Shell services ---
  ItemListRef picked_item_list{};          // none: the user cancels
  std::optional<std::string> picked_path;  // nullopt: the item has no file-system path
  bool allocator_available = true;         // false: no item list can be freed
  std::set<ItemListRef> live_item_lists;   // given by the picker and not yet freed
  // Runs while the folder picker is up, as the user or another program would act meanwhile.
  std::function<void()> while_picking;
  std::vector<ShellExecuteCall> shell_executes;
  bool fail_shell_execute = false;  // the shell cannot open the file

  // WindowSystem
  ScreenSize screen_size() override;
  FrameExtent main_frame_extent() override;
  bool create_main_window(const WindowDesign& design, Rect outer, WindowEvents& sink) override;
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

  // CodePage: GBK, code page 936.
  bool is_lead_byte(unsigned char byte) const override;

 private:
  void destroy_main_window();
  std::uintptr_t new_handle(std::string what);
  bool close(std::uintptr_t handle);
  bool failed();  // notes the failure's reason and gives false
  void release_event(const std::string& name);
  std::map<std::uintptr_t, std::string> event_handles_;    // handle -> event name
  std::map<std::uintptr_t, std::size_t> process_handles_;  // process or thread -> index
  std::uintptr_t next_handle_ = 0x5000;
};

}  // namespace kestrafil::testing
