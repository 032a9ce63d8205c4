#include "app/app.h"

#include <cstdlib>
#include <string>

#include "app/keys.h"
#include "window/layout.h"

namespace kestrafil {
namespace {

constexpr unsigned kFailCriticalErrors = 0x0001;
constexpr unsigned kNoOpenFileErrorBox = 0x8000;
constexpr unsigned kIgnoredCommandsFrom = 0xE100;
constexpr unsigned kButtonClicked = 0;
constexpr unsigned kTaskModal = 0x2000;
constexpr unsigned kSystemModal = 0x1000;
constexpr unsigned kIconError = 0x0010;

std::size_t index_of(Control control) {
  return static_cast<std::size_t>(control);
}

int child_id(Control control) {
  return control_row(control).child_id;
}

}  // namespace

App::App(Platform& platform) : platform_(platform) {
  for (const auto& row : control_rows()) {
    disabled_.at(index_of(row.name)) = (row.flags & ControlFlag::disabled) != 0;
  }
}

int App::run() {
  TextMemoryScope memory(*this);
  platform_.add_error_mode(kFailCriticalErrors | kNoOpenFileErrorBox);
  ole_initialized_ = platform_.ole_initialize();
  use_program_folder_as_current_directory();

  const auto screen = platform_.screen_size();
  const auto outer = centred_outer_rect(screen.width, screen.height);
  if (!platform_.create_main_window(main_window_design(), outer, *this)) {
    fatal_error("载入启动窗口失败");
  }
  state_ = AppState::running;
  platform_.show_main_window();

  Message message;
  while (platform_.wait_message(message)) handle_message(message);

  state_ = AppState::ended;
  if (ole_initialized_) platform_.ole_uninitialize();
  return static_cast<int>(message.wparam);
}

void App::use_program_folder_as_current_directory() {
  const auto path = platform_.module_file_name();
  const auto cut = path.rfind('\\');
  if (cut == Text::npos) return;
  platform_.set_current_directory(TextView(path).substr(0, cut));
}

Text App::read_text(Control control) {
  const auto id = child_id(control);
  const auto length = platform_.control_text_length(id);
  if (length == 0) return {};
  Text text(length, '\0');
  text.resize(platform_.read_control_text(id, text.data(), length + 1));
  return text;
}

bool App::text_empty(Control control) {
  return platform_.control_text_length(child_id(control)) == 0;
}

void App::write_text(Control control, TextView text) {
  const Text copy(text);
  platform_.write_control_text(child_id(control), copy.c_str());
}

void App::set_disabled(Control control, bool disabled) {
  disabled_.at(index_of(control)) = disabled;
  if (platform_.main_window_exists()) platform_.enable_control(child_id(control), !disabled);
}

bool App::disabled(Control control) const {
  return disabled_.at(index_of(control));
}

void App::show_message(TextView text, unsigned style, std::optional<TextView> title) {
  const Text shown(text);
  const Text caption(title.value_or("信息："));
  const auto box_style = (style & kSystemModal) != 0 ? style : style | kTaskModal;
  // The box has no owner: when it goes, the program's windows are still disabled, so Windows
  // activates none of them and the user's place in the window would be lost.
  const auto active = platform_.active_window();
  const auto foreground = platform_.foreground_window();
  platform_.message_box(shown.c_str(), caption.c_str(), box_style);
  if (foreground != 0 && platform_.is_window(foreground)) {
    platform_.set_foreground_window(foreground);
  }
  if (active != 0 && platform_.is_window(active)) platform_.set_active_window(active);
}

void App::fatal_error(TextView message, unsigned code) {
  state_ = AppState::failed;
  // Composed on the ordinary heap: this may be the report that text memory ran out.
  std::string text = "运行时出错!\r\n\r\n";
  if (code != 0) text += "错误代码：" + std::to_string(code) + "\r\n\r\n";
  if (!message.empty()) text.append("错误信息：").append(message).append("\r\n");
  platform_.message_box(text.c_str(), "错误", kIconError);
  if (ole_initialized_) platform_.ole_uninitialize();
  platform_.exit_process(kFatalExitCode);
  std::abort();  // not reached: exit_process ends the process
}

void* App::allocate(std::size_t bytes) {
  return platform_.allocate(bytes);
}

void App::out_of_memory(std::size_t bytes) {
  const std::string message = "分配 " + std::to_string(bytes) + " 字节内存失败!";
  fatal_error(message);
}

void App::handle_message(const Message& message) {
  if (!pre_translate(message)) platform_.translate_and_dispatch(message);
}

bool App::pre_translate(const Message& message) {
  if (message.id < kFirstKeyMessage || message.id > kLastKeyMessage) return false;
  if (!platform_.is_main_window_or_control(message.window)) return false;
  if (!platform_.window_enabled(message.window)) return false;
  if (message.id != kKeyDown && message.id != kSysKeyDown) return false;

  switch (key_action(static_cast<unsigned>(message.wparam), platform_.key_modifiers())) {
    case KeyAction::pass_on:
      return false;
    case KeyAction::focus_next:
      move_focus(true);
      return true;
    case KeyAction::focus_previous:
      move_focus(false);
      return true;
    case KeyAction::close_window:
      platform_.close_main_window();
      return true;
  }
  return false;
}

bool App::takes_focus(const ControlRow& row) {
  return (row.flags & ControlFlag::tab_stop) != 0 && platform_.control_visible(row.child_id) &&
         platform_.control_enabled(row.child_id);
}

void App::move_focus(bool forward) {
  const auto rows = control_rows();
  const auto count = static_cast<int>(rows.size());
  const auto focused = platform_.focused_control();
  int position = forward ? -1 : count;
  for (int i = 0; i < count; ++i) {
    if (rows[static_cast<std::size_t>(i)].child_id == focused) position = i;
  }
  const int step = forward ? 1 : -1;
  for (int distance = 1; distance <= count; ++distance) {
    const auto& row =
        rows[static_cast<std::size_t>(((position + step * distance) % count + count) % count)];
    if (takes_focus(row)) {
      platform_.focus_control(row.child_id);
      return;
    }
  }
}

int App::first_focus_target() {
  for (const auto& row : control_rows()) {
    if (takes_focus(row)) return row.child_id;
  }
  return 0;
}

bool App::on_command(unsigned id, unsigned notification) {
  if (id >= kIgnoredCommandsFrom) return true;
  if (id < static_cast<unsigned>(kFirstMenuCommand)) {
    const auto control = control_by_child_id(static_cast<int>(id));
    if (!control || notification != kButtonClicked) return false;
    if (control_row(*control).kind != ControlKind::push_button) return false;
    raise(*control, Event::click);
    return true;
  }
  if (const auto entry = menu_entry_by_command(static_cast<int>(id))) raise(*entry, Event::chosen);
  return true;
}

void App::raise(EventSource source, Event event) {
  if (state_ != AppState::running) return;
  if (const auto command = bound_command(source, event)) run_command(*command, *this);
}

void App::on_deactivated(int focused_child) {
  if (control_by_child_id(focused_child)) remembered_focus_ = focused_child;
}

int App::on_focus_received() {
  const auto remembered = control_by_child_id(remembered_focus_);
  if (remembered && takes_focus(control_row(*remembered))) return remembered_focus_;
  return first_focus_target();
}

void App::on_destroyed() {
  state_ = AppState::closing;
  platform_.post_quit(0);
}

}  // namespace kestrafil
