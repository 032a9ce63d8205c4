#include "app/app.h"

#include <cstdlib>

#include "app/fixed_text.h"
#include "window/layout.h"

namespace kestrafil {
namespace {

// Identifiers from 0xE100 up are the standard commands of Windows programs (the common file,
// edit, window and help commands are numbered from there, and the system menu's from 0xF000).
// None is this program's; one that reaches the window (any program can send a WM_COMMAND) is
// taken as handled, so that the standard handling does not act on it either.
constexpr unsigned kIgnoredCommandsFrom = 0xE100;
// Room for the fatal-error box's text; its messages are a line each.
constexpr std::size_t kFatalTextCapacity = 256;

}  // namespace

App::App(Platform& platform) : platform_(platform), window_(platform) {}

int App::run() {
  TextMemoryScope memory(*this);
  platform_.add_error_mode(ErrorMode::fail_critical_errors | ErrorMode::no_open_file_error_box);
  ole_initialized_ = platform_.ole_initialize();
  use_program_folder_as_current_directory();

  const auto screen = platform_.screen_size();
  const auto outer = centred_outer_rect(screen.width, screen.height, platform_.main_frame_extent());
  if (!window_.create(outer, *this)) {
    fatal_error("载入启动窗口失败");
  }
  state_ = AppState::running;
  window_.show();

  Message message;
  while (platform_.wait_message(message)) window_.handle_message(message);

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

void App::fatal_error(TextView message, unsigned code) {
  // A failure while the box is up (showing it may itself need memory that is not there) ends
  // the process at once instead of raising the error again without end.
  if (state_ == AppState::failed) platform_.exit_process(kFatalExitCode);
  state_ = AppState::failed;
  FixedText<kFatalTextCapacity> text;
  text.append("运行时出错!\r\n\r\n");
  if (code != 0) text.append("错误代码：").append_decimal(code).append("\r\n\r\n");
  if (!message.empty()) text.append("错误信息：").append(message).append("\r\n");
  platform_.message_box(text.view(), "错误", MessageBoxStyle::icon_error);
  if (ole_initialized_) platform_.ole_uninitialize();
  platform_.exit_process(kFatalExitCode);
  std::abort();  // not reached: exit_process ends the process
}

void* App::allocate(std::size_t bytes) {
  return platform_.allocate(bytes);
}

void App::out_of_memory(std::size_t bytes) {
  FixedText<kFatalTextCapacity> message;
  message.append("分配 ").append_decimal(bytes).append(" 字节内存失败!");
  fatal_error(message.view());
}

bool App::on_command(unsigned id, Notification notification) {
  if (id >= kIgnoredCommandsFrom) return true;
  if (id < static_cast<unsigned>(kFirstMenuCommand)) {
    const auto control = control_by_child_id(static_cast<int>(id));
    if (!control || notification != Notification::click) return false;
    if (control_row(*control).kind != ControlKind::push_button) return false;
    raise(*control, Event::click);
    return true;
  }
  if (const auto entry = menu_entry_by_command(static_cast<int>(id))) raise(*entry, Event::chosen);
  return true;
}

void App::raise(EventSource source, Event event) {
  if (state_ != AppState::running) return;
  if (const auto command = bound_command(source, event)) command(window_);
}

void App::on_deactivated(int focused_child) {
  window_.remember_focus(focused_child);
}

int App::on_focus_received() {
  return window_.focus_target();
}

void App::on_destroyed() {
  state_ = AppState::closing;
  platform_.post_quit(0);
}

}  // namespace kestrafil
