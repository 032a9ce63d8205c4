#include "tests/fake/fake_platform.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <type_traits>

namespace kestrafil::testing {
namespace {

constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kChar = 0x0102;
constexpr unsigned kSysKeyDown = 0x0104;
constexpr unsigned kLastKeyMessage = 0x0108;

std::string hex(std::uintptr_t value) {
  std::ostringstream out;
  out << std::hex << value;
  return out.str();
}

template <class Value>
requires std::is_enum_v<Value> std::string hex(Value value) {
  return hex(static_cast<std::uintptr_t>(value));
}

std::optional<std::string> maybe(std::optional<TextView> text) {
  if (!text) return std::nullopt;
  return std::string(*text);
}

struct KeyCode {
  Key key;
  std::uintptr_t virtual_key;
};

constexpr KeyCode kKeyCodes[] = {{Key::tab, 0x09}, {Key::escape, 0x1B}, {Key::enter, 0x0D}};

Key key_of(std::uintptr_t virtual_key) {
  for (const auto& code : kKeyCodes) {
    if (code.virtual_key == virtual_key) return code.key;
  }
  return Key::other;
}

std::uintptr_t virtual_key_of(Key key) {
  for (const auto& code : kKeyCodes) {
    if (code.key == key) return code.virtual_key;
  }
  return 'A';
}

// As the Win32 side decodes a queued message.
Message decoded(WindowRef window, unsigned id, std::uintptr_t wparam) {
  Message message{window, id, wparam, 0, 0, 0, 0};
  if (id < kKeyDown || id > kLastKeyMessage) return message;
  message.keyboard = id == kKeyDown      ? KeyMessage::key_down
                     : id == kSysKeyDown ? KeyMessage::sys_key_down
                                         : KeyMessage::other;
  if (id == kKeyDown || id == kSysKeyDown) message.key = key_of(wparam);
  return message;
}

}  // namespace

Message key_message(KeyMessage keyboard, Key key, WindowRef window) {
  const unsigned id = keyboard == KeyMessage::key_down       ? kKeyDown
                      : keyboard == KeyMessage::sys_key_down ? kSysKeyDown
                                                             : kChar;
  auto message = decoded(window, id, virtual_key_of(key));
  message.key = key;
  return message;
}

void FakePlatform::click(int child_id) {
  if (!controls.contains(child_id) || !controls[child_id].enabled) return;  // no notification
  events->on_command(static_cast<unsigned>(child_id), Notification::click);
}

void FakePlatform::choose_menu(int command_id) {
  events->on_command(static_cast<unsigned>(command_id), Notification::click);
}

void FakePlatform::post(unsigned id, std::uintptr_t wparam, WindowRef window) {
  queue.push_back(decoded(window, id, wparam));
}

void FakePlatform::post_key(Key key, WindowRef window) {
  queue.push_back(key_message(KeyMessage::key_down, key, window));
}

std::string FakePlatform::text_of(int child_id) const {
  return controls.at(child_id).text;
}

ScreenSize FakePlatform::screen_size() {
  return screen;
}

FrameExtent FakePlatform::main_frame_extent() {
  return frame;
}

bool FakePlatform::create_main_window(const WindowDesign& design, Rect outer, WindowEvents& sink) {
  log.push_back("create_main_window");
  events = &sink;
  if (fail_window_creation) return false;
  created_outer = outer;
  for (const auto& row : design.controls) {
    controls[row.child_id] =
        FakeControl{std::string(row.text), (row.flags & visible) != 0, (row.flags & disabled) == 0};
  }
  main_window = true;
  return true;
}

void FakePlatform::show_main_window() {
  log.push_back("show_main_window");
  main_shown = true;
  if (const int child = events->on_focus_received()) focus = child;
}

bool FakePlatform::main_window_exists() {
  return main_window;
}

void FakePlatform::close_main_window() {
  log.push_back("close_main_window");
  destroy_main_window();
}

void FakePlatform::destroy_main_window() {
  if (!main_window) return;
  main_window = false;
  controls.clear();
  focus = 0;
  events->on_destroyed();
}

bool FakePlatform::is_main_window_or_control(WindowRef window) {
  return main_window && (window == kMainWindow || controls.contains(static_cast<int>(window)));
}

std::size_t FakePlatform::control_text_length(int child_id) {
  return controls.contains(child_id) ? controls[child_id].text.size() : 0;
}

std::size_t FakePlatform::read_control_text(int child_id, char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  const auto& text = controls.at(child_id).text;
  const auto count = std::min(text.size(), capacity - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return count;
}

void FakePlatform::write_control_text(int child_id, TextView text) {
  log.push_back("write_text " + std::to_string(child_id));
  if (controls.contains(child_id)) controls[child_id].text = text;
}

void FakePlatform::enable_control(int child_id, bool enabled) {
  log.push_back("enable_control " + std::to_string(child_id) + " " + std::to_string(enabled));
  if (controls.contains(child_id)) controls[child_id].enabled = enabled;
}

bool FakePlatform::control_visible(int child_id) {
  return controls.contains(child_id) && controls[child_id].visible;
}

bool FakePlatform::control_enabled(int child_id) {
  return controls.contains(child_id) && controls[child_id].enabled;
}

int FakePlatform::focused_control() {
  return focus;
}

void FakePlatform::focus_control(int child_id) {
  focus = child_id;
}

KeyModifiers FakePlatform::key_modifiers() {
  return modifiers;
}

WindowRef FakePlatform::active_window() {
  return active;
}

WindowRef FakePlatform::foreground_window() {
  return foreground;
}

bool FakePlatform::is_window(WindowRef window) {
  return windows.contains(window) || (main_window && window == kMainWindow);
}

std::vector<WindowRef> FakePlatform::top_level_windows() {
  return top_levels;
}

bool FakePlatform::window_enabled(WindowRef window) {
  if (window == kMainWindow || controls.contains(static_cast<int>(window))) {
    return !windows.contains(window) || windows[window];
  }
  return windows.contains(window) && windows[window];
}

void FakePlatform::enable_window(WindowRef window, bool enabled) {
  log.push_back("enable_window " + hex(window) + " " + std::to_string(enabled));
  windows[window] = enabled;
}

void FakePlatform::set_foreground_window(WindowRef window) {
  log.push_back("set_foreground_window " + hex(window));
  foreground = window;
}

void FakePlatform::set_active_window(WindowRef window) {
  log.push_back("set_active_window " + hex(window));
  active = window;
}

WindowRef FakePlatform::find_top_level_window(TextView title) {
  log.push_back("find_top_level_window " + std::string(title));
  const auto found = titled_windows.find(std::string(title));
  return found == titled_windows.end() ? WindowRef{} : found->second;
}

bool FakePlatform::wait_message(Message& message) {
  if (queue.empty()) {
    // A test that forgets to end the loop would otherwise hang.
    message = Message{WindowRef{}, kQuitMessage, 0xDEAD, 0, 0, 0, 0};
    return false;
  }
  message = queue.front();
  queue.pop_front();
  return message.id != kQuitMessage;
}

QueueHead FakePlatform::peek_message() {
  if (queue.empty()) return QueueHead::empty;
  return queue.front().id == kQuitMessage ? QueueHead::quit : QueueHead::message;
}

Message FakePlatform::remove_message() {
  const auto message = queue.front();
  queue.pop_front();
  return message;
}

void FakePlatform::translate_and_dispatch(const Message& message) {
  log.push_back("dispatch " + hex(message.id) + " " + hex(message.wparam));
  if (message.id == kCommandMessage) {
    const auto id = static_cast<int>(message.wparam & 0xFFFF);
    if (controls.contains(id)) {
      click(id);
    } else {
      choose_menu(id);
    }
    return;
  }
  if (message.id == kCloseMessage) {
    destroy_main_window();
    return;
  }
  if (on_dispatch) on_dispatch(message);
}

void FakePlatform::post_quit(int exit_code) {
  log.push_back("post_quit " + std::to_string(exit_code));
  post(kQuitMessage, static_cast<std::uintptr_t>(exit_code), WindowRef{});
}

int FakePlatform::message_box(TextView text, TextView title, MessageBoxStyle style) {
  log.push_back("message_box " + std::string(title));
  message_boxes.push_back({std::string(text), std::string(title), style});
  if (while_message_box) while_message_box(message_boxes.back());
  return 1;
}

void FakePlatform::add_error_mode(ErrorMode flags) {
  log.push_back("add_error_mode " + hex(flags));
  error_mode = error_mode | flags;
}

bool FakePlatform::ole_initialize() {
  log.push_back("ole_initialize");
  if (ole_ok) ++ole_initialized;
  return ole_ok;
}

void FakePlatform::ole_uninitialize() {
  log.push_back("ole_uninitialize");
  --ole_initialized;
}

void FakePlatform::exit_process(int exit_code) {
  log.push_back("exit_process " + std::to_string(exit_code));
  throw ProcessExit{exit_code};
}

bool FakePlatform::failed() {
  error = failure_reason;
  return false;
}

SystemError FakePlatform::last_error() {
  return error;
}

Text FakePlatform::describe_error(SystemError code) {
  return Text("系统错误 " + std::to_string(static_cast<std::uint32_t>(code)) + "。");
}

Text FakePlatform::module_file_name() {
  return Text(module_path);
}

bool FakePlatform::set_current_directory(TextView path) {
  log.push_back("set_current_directory " + std::string(path));
  if (set_directory_ok) current_dir = path;
  return set_directory_ok;
}

Text FakePlatform::current_directory() {
  log.push_back("current_directory");
  if (fail_current_directory) {
    failed();
    return {};
  }
  return Text(current_dir);
}

Text FakePlatform::temp_path() {
  log.push_back("temp_path");
  if (fail_temp_path) {
    failed();
    return {};
  }
  return Text(temp_dir);
}

Text FakePlatform::system_directory() {
  log.push_back("system_directory");
  if (fail_system_directory) {
    failed();
    return {};
  }
  return Text(system_dir);
}

std::uintptr_t FakePlatform::new_handle(std::string what) {
  const auto handle = next_handle_++;
  open_handles[handle] = std::move(what);
  return handle;
}

FileRef FakePlatform::create_file_for_writing(TextView path) {
  log.push_back("create_file " + std::string(path));
  if (fail_create_file && *fail_create_file == path) {
    failed();
    return {};
  }
  files[std::string(path)].clear();
  return FileRef{new_handle(std::string(path))};
}

WriteResult FakePlatform::write_file(FileRef file, TextView bytes) {
  log.push_back("write_file " + std::to_string(bytes.size()));
  if (fail_write) {
    failed();
    return {};
  }
  const auto written = short_write ? std::min(*short_write, bytes.size()) : bytes.size();
  files[open_handles.at(static_cast<std::uintptr_t>(file))].append(bytes.substr(0, written));
  return {true, written};
}

bool FakePlatform::close_handle(FileRef file) {
  return close(static_cast<std::uintptr_t>(file));
}

bool FakePlatform::close_handle(EventRef event) {
  return close(static_cast<std::uintptr_t>(event));
}

bool FakePlatform::close_handle(ProcessRef process) {
  return close(static_cast<std::uintptr_t>(process));
}

bool FakePlatform::close_handle(ThreadRef thread) {
  return close(static_cast<std::uintptr_t>(thread));
}

bool FakePlatform::close(std::uintptr_t handle) {
  const auto what = open_handles.at(handle);
  log.push_back("close_handle " + what);
  open_handles.erase(handle);
  process_handles_.erase(handle);
  if (const auto event = event_handles_.find(handle); event != event_handles_.end()) {
    release_event(event->second);
    event_handles_.erase(event);
  }
  return fail_close ? failed() : true;
}

void FakePlatform::release_event(const std::string& name) {
  if (--named_events.at(name) == 0) named_events.erase(name);
}

NamedEvent FakePlatform::create_named_event(TextView name) {
  log.push_back("create_named_event " + std::string(name));
  if (fail_named_event) {
    failed();
    return {};
  }
  const std::string key(name);
  const bool existed = named_events.contains(key);
  ++named_events[key];
  const auto handle = new_handle("event");
  event_handles_[handle] = key;
  return {EventRef{handle}, existed};
}

std::optional<StartedProcess> FakePlatform::create_suspended_process(const SuspendedStart& start) {
  log.push_back("create_suspended_process " + std::string(start.command_line));
  if (fail_create_process) {
    failed();
    return {};
  }
  FakeProcess process;
  process.program = start.program;
  process.command_line = start.command_line;
  for (const auto name : start.removed_variables) process.removed_variables.emplace_back(name);
  for (const auto& variable : start.added_variables) {
    process.added_variables.push_back(std::string(variable.name) + "=" +
                                      std::string(variable.value));
  }
  processes.push_back(std::move(process));
  const auto process_handle = new_handle("process");
  const auto thread_handle = new_handle("thread");
  process_handles_[process_handle] = processes.size() - 1;
  process_handles_[thread_handle] = processes.size() - 1;
  return StartedProcess{ProcessRef{process_handle}, ThreadRef{thread_handle}};
}

bool FakePlatform::duplicate_into(EventRef event, ProcessRef process) {
  const auto event_handle = static_cast<std::uintptr_t>(event);
  const auto process_handle = static_cast<std::uintptr_t>(process);
  log.push_back("duplicate_into " + open_handles.at(event_handle) + " " +
                open_handles.at(process_handle));
  if (fail_duplicate) return failed();
  const auto& name = event_handles_.at(event_handle);
  ++named_events.at(name);
  processes.at(process_handles_.at(process_handle)).held_events.push_back(name);
  return true;
}

bool FakePlatform::resume_thread(ThreadRef thread) {
  const auto handle = static_cast<std::uintptr_t>(thread);
  log.push_back("resume_thread " + open_handles.at(handle));
  if (fail_resume) return failed();
  auto& process = processes.at(process_handles_.at(handle));
  process.resumed = true;
  started.push_back(process.command_line);
  return true;
}

void FakePlatform::terminate_process(ProcessRef process) {
  const auto handle = static_cast<std::uintptr_t>(process);
  log.push_back("terminate_process " + open_handles.at(handle));
  end_process(process_handles_.at(handle));
}

void FakePlatform::end_process(std::size_t index) {
  auto& process = processes.at(index);
  if (process.ended) return;
  process.ended = true;
  for (const auto& name : process.held_events) release_event(name);
  process.held_events.clear();
}

bool FakePlatform::wait_for_input_idle(ProcessRef process, unsigned milliseconds) {
  log.push_back("wait_for_input_idle " + open_handles.at(static_cast<std::uintptr_t>(process)) +
                " " + std::to_string(milliseconds) + (fail_input_idle ? " failed" : ""));
  return fail_input_idle ? failed() : true;
}

std::uint32_t FakePlatform::tick_count() {
  const auto now = clock;
  clock += clock_step;
  return now;
}

void* FakePlatform::allocate(std::size_t bytes) {
  allocation_sizes.push_back(bytes);
  if (fail_allocation_at == allocation_sizes.size() - 1) return nullptr;
  if (fail_allocation_from && bytes >= *fail_allocation_from) return nullptr;
  return std::malloc(bytes);
}

ItemListRef FakePlatform::browse_for_folder(WindowRef owner, TextView title, BrowseFlag flags) {
  log.push_back("browse_for_folder " + hex(owner) + " " + std::string(title) + " " + hex(flags));
  if (while_picking) while_picking();
  if (!is_none(picked_item_list)) live_item_lists.insert(picked_item_list);
  return picked_item_list;
}

std::optional<Text> FakePlatform::path_from_item_list(ItemListRef item_list) {
  log.push_back("path_from_item_list " + hex(item_list));
  if (!picked_path) return std::nullopt;
  return Text(TextView(*picked_path).substr(0, 259));  // what a MAX_PATH buffer holds
}

// Freeing a list twice, or one the picker never gave, is a fault the tests must see.
bool FakePlatform::free_item_list(ItemListRef item_list) {
  log.push_back("free_item_list " + hex(item_list) + (allocator_available ? "" : " failed"));
  if (!allocator_available) return false;
  if (live_item_lists.erase(item_list) == 0) throw std::logic_error("item list freed twice");
  return true;
}

bool FakePlatform::shell_execute(WindowRef owner, TextView verb, TextView file,
                                 std::optional<TextView> parameters,
                                 std::optional<TextView> directory, ShowCommand show) {
  log.push_back(fail_shell_execute ? "shell_execute failed" : "shell_execute");
  shell_executes.push_back(
      {owner, std::string(verb), std::string(file), maybe(parameters), maybe(directory), show});
  return !fail_shell_execute;
}

bool FakePlatform::is_lead_byte(unsigned char byte) const {
  return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace kestrafil::testing
