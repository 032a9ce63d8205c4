#include "window/main_window.h"

#include "window/activation_scope.h"
#include "window/keys.h"

namespace kestrafil {
namespace {

std::size_t index_of(Control control) {
  return static_cast<std::size_t>(control);
}

int child_id(Control control) {
  return control_row(control).child_id;
}

}  // namespace

MainWindow::MainWindow(Platform& platform) : platform_(platform) {
  for (const auto& row : control_rows()) {
    disabled_.at(index_of(row.name)) = (row.flags & ControlFlag::disabled) != 0;
  }
}

bool MainWindow::create(Rect outer, WindowEvents& events) {
  return platform_.create_main_window(main_window_design(), outer, events);
}

void MainWindow::show() {
  platform_.show_main_window();
}

Text MainWindow::read_text(Control control) {
  const auto id = child_id(control);
  const auto length = platform_.control_text_length(id);
  if (length == 0) return {};
  Text text(length, '\0');
  text.resize(platform_.read_control_text(id, text.data(), length + 1));
  return text;
}

bool MainWindow::text_empty(Control control) {
  return platform_.control_text_length(child_id(control)) == 0;
}

void MainWindow::write_text(Control control, TextView text) {
  platform_.write_control_text(child_id(control), text);
}

void MainWindow::set_disabled(Control control, bool disabled) {
  disabled_.at(index_of(control)) = disabled;
  if (platform_.main_window_exists()) platform_.enable_control(child_id(control), !disabled);
}

bool MainWindow::disabled(Control control) const {
  return disabled_.at(index_of(control));
}

void MainWindow::show_message(TextView text, MessageBoxStyle style, std::optional<TextView> title) {
  const auto box_style =
      has(style, MessageBoxStyle::system_modal) ? style : style | MessageBoxStyle::task_modal;
  const ActivationScope activation(platform_);
  platform_.message_box(text, title.value_or("信息："), box_style);
}

void MainWindow::handle_message(const Message& message) {
  if (!pre_translate(message)) platform_.translate_and_dispatch(message);
}

void MainWindow::serve_events() {
  while (platform_.peek_message() == QueueHead::message) {
    handle_message(platform_.remove_message());
  }
}

bool MainWindow::pre_translate(const Message& message) {
  if (message.keyboard == KeyMessage::none) return false;
  if (!platform_.is_main_window_or_control(message.window)) return false;
  if (!platform_.window_enabled(message.window)) return false;
  if (message.keyboard != KeyMessage::key_down && message.keyboard != KeyMessage::sys_key_down) {
    return false;
  }

  switch (key_action(message.key, platform_.key_modifiers())) {
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

bool MainWindow::takes_focus(const ControlRow& row) {
  return (row.flags & ControlFlag::tab_stop) != 0 && platform_.control_visible(row.child_id) &&
         platform_.control_enabled(row.child_id);
}

void MainWindow::move_focus(bool forward) {
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

int MainWindow::first_focus_target() {
  for (const auto& row : control_rows()) {
    if (takes_focus(row)) return row.child_id;
  }
  return 0;
}

void MainWindow::remember_focus(int focused_child) {
  if (control_by_child_id(focused_child)) remembered_focus_ = focused_child;
}

int MainWindow::focus_target() {
  const auto remembered = control_by_child_id(remembered_focus_);
  if (remembered && takes_focus(control_row(*remembered))) return remembered_focus_;
  return first_focus_target();
}

}  // namespace kestrafil
