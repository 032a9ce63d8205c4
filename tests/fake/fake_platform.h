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
inline constexpr NativeHandle kMainWindow = 0x1000;

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
  unsigned style = 0;
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
  NativeHandle owner = 0;
  std::string verb;
  std::optional<std::string> file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  int show = 0;
};

class FakePlatform : public Platform {
 public:
  // Every call, one line each, in order.
  std::vector<std::string> log;

  // --- Window system ---
  ScreenSize screen{1024, 768};
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
  std::map<NativeHandle, bool> windows;  // other windows: handle -> enabled
  std::vector<NativeHandle> top_levels;
  NativeHandle active = 0;
  NativeHandle foreground = 0;
  std::map<std::string, NativeHandle> titled_windows;

  // Test actions, as a user would cause them.
  void click(int child_id);
  void choose_menu(int command_id);
  void post(unsigned id, std::uintptr_t wparam = 0, NativeHandle window = kMainWindow);
  void post_key(unsigned key, NativeHandle window = kMainWindow);
  std::string text_of(int child_id) const;

  // --- Process services ---
  unsigned error_mode = 0;
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
  bool fail_input_idle = false;  // the wait for the new process gives up at once
  std::vector<FakeProcess> processes;
  std::vector<std::string> started;  // command lines of the processes that ran
  // Ends a started process, as its interpreter exits; what it held goes with it.
  void end_process(std::size_t index);
  std::map<NativeHandle, std::string> open_handles;
  std::uint32_t clock = 5000;
  std::uint32_t clock_step = 1;                     // the clock moves this much at every reading
  std::optional<std::size_t> fail_allocation_from;  // allocations of this size or more fail
  std::vector<std::size_t> allocation_sizes;        // every size asked for, in order
  std::optional<std::size_t> fail_allocation_at;    // this allocation (counting from 0) fails

  // --- Shell services ---
  NativeHandle picked_item_list = 0;       // 0: the user cancels
  std::optional<std::string> picked_path;  // nullopt: the item has no file-system path
  bool allocator_available = true;
  std::set<NativeHandle> live_item_lists;  // given by the picker and not yet freed
  int allocator_references = 0;            // obtained and not yet released
  // Runs while the folder picker is up, as the user or another program would act meanwhile.
  std::function<void()> while_picking;
  std::vector<ShellExecuteCall> shell_executes;
  bool fail_shell_execute = false;  // the shell cannot open the file

  // WindowSystem
  ScreenSize screen_size() override;
  bool create_main_window(const WindowDesign& design, Rect outer, WindowEvents& sink) override;
  void show_main_window() override;
  bool main_window_exists() override;
  void close_main_window() override;
  bool is_main_window_or_control(NativeHandle window) override;
  std::size_t control_text_length(int child_id) override;
  std::size_t read_control_text(int child_id, char* buffer, std::size_t capacity) override;
  void write_control_text(int child_id, const char* text) override;
  void enable_control(int child_id, bool enabled) override;
  bool control_visible(int child_id) override;
  bool control_enabled(int child_id) override;
  int focused_control() override;
  void focus_control(int child_id) override;
  KeyModifiers key_modifiers() override;
  NativeHandle active_window() override;
  NativeHandle foreground_window() override;
  bool is_window(NativeHandle window) override;
  std::vector<NativeHandle> top_level_windows() override;
  bool window_enabled(NativeHandle window) override;
  void enable_window(NativeHandle window, bool enabled) override;
  void set_foreground_window(NativeHandle window) override;
  void set_active_window(NativeHandle window) override;
  NativeHandle find_top_level_window(const char* title) override;
  bool wait_message(Message& message) override;
  QueueHead peek_message() override;
  Message remove_message() override;
  void translate_and_dispatch(const Message& message) override;
  void post_quit(int exit_code) override;
  int message_box(const char* text, const char* title, unsigned style) override;

  // ProcessServices
  void add_error_mode(unsigned flags) override;
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
  NativeHandle create_file_for_writing(TextView path) override;
  WriteResult write_file(NativeHandle file, const char* bytes, std::size_t count) override;
  bool close_handle(NativeHandle handle) override;
  NamedEvent create_named_event(TextView name) override;
  std::optional<StartedProcess> create_suspended_process(const SuspendedStart& start) override;
  bool duplicate_into(NativeHandle object, NativeHandle process) override;
  bool resume_thread(NativeHandle thread) override;
  void terminate_process(NativeHandle process) override;
  void wait_for_input_idle(NativeHandle process, unsigned milliseconds) override;
  std::uint32_t tick_count() override;
  void* allocate(std::size_t bytes) override;

  // ShellServices
  NativeHandle browse_for_folder(NativeHandle owner, const char* title, unsigned flags) override;
  bool path_from_item_list(NativeHandle item_list, char* buffer) override;
  NativeHandle shell_allocator() override;
  void allocator_free(NativeHandle allocator, NativeHandle block) override;
  void allocator_release(NativeHandle allocator) override;
  void shell_execute(NativeHandle owner, const char* verb, const char* file, const char* parameters,
                     const char* directory, int show) override;

  // CodePage: GBK, code page 936.
  bool is_lead_byte(unsigned char byte) const override;

 private:
  void destroy_main_window();
  NativeHandle new_handle(std::string what);
  bool failed();  // notes the failure's reason and gives false
  void release_event(const std::string& name);
  std::map<NativeHandle, std::string> event_handles_;    // handle -> event name
  std::map<NativeHandle, std::size_t> process_handles_;  // process or thread -> index
  NativeHandle next_handle_ = 0x5000;
};

}  // namespace kestrafil::testing
