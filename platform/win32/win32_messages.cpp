// The message queue and message boxes.
#include <string>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

static_assert(static_cast<UINT>(MessageBoxStyle::ok) == MB_OK);
static_assert(static_cast<UINT>(MessageBoxStyle::icon_error) == MB_ICONERROR);
static_assert(static_cast<UINT>(MessageBoxStyle::system_modal) == MB_SYSTEMMODAL);
static_assert(static_cast<UINT>(MessageBoxStyle::task_modal) == MB_TASKMODAL);

// The keyboard messages, WM_KEYFIRST up to 0x0108, the last one before WM_UNICHAR.
constexpr UINT kLastKeyMessage = 0x0108;

KeyMessage keyboard_of(UINT id) {
  if (id < WM_KEYFIRST || id > kLastKeyMessage) return KeyMessage::none;
  if (id == WM_KEYDOWN) return KeyMessage::key_down;
  if (id == WM_SYSKEYDOWN) return KeyMessage::sys_key_down;
  return KeyMessage::other;
}

Key key_of(WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_TAB:
      return Key::tab;
    case VK_ESCAPE:
      return Key::escape;
    case VK_RETURN:
      return Key::enter;
    default:
      return Key::other;
  }
}

Message from_msg(const MSG& msg) {
  Message message{to_ref<WindowRef>(msg.hwnd),
                  msg.message,
                  msg.wParam,
                  msg.lParam,
                  msg.time,
                  static_cast<int>(msg.pt.x),
                  static_cast<int>(msg.pt.y)};
  message.keyboard = keyboard_of(msg.message);
  if (message.keyboard == KeyMessage::key_down || message.keyboard == KeyMessage::sys_key_down) {
    message.key = key_of(msg.wParam);
  }
  return message;
}

MSG to_msg(const Message& message) {
  MSG msg{};
  msg.hwnd = from_ref<HWND>(message.window);
  msg.message = message.id;
  msg.wParam = message.wparam;
  msg.lParam = message.lparam;
  msg.time = message.time;
  msg.pt = {message.x, message.y};
  return msg;
}

}  // namespace

bool Win32Platform::wait_message(Message& message) {
  MSG msg{};
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  message = from_msg(msg);
  return got > 0;
}

QueueHead Win32Platform::peek_message() {
  MSG msg{};
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return QueueHead::empty;
  return msg.message == WM_QUIT ? QueueHead::quit : QueueHead::message;
}

Message Win32Platform::remove_message() {
  MSG msg{};
  PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
  return from_msg(msg);
}

void Win32Platform::translate_and_dispatch(const Message& message) {
  const MSG msg = to_msg(message);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Win32Platform::post_quit(int exit_code) {
  PostQuitMessage(exit_code);
}

// The copies come from the ordinary heap, not from text memory: the fatal-error box may be the
// report that text memory ran out.
int Win32Platform::message_box(TextView text, TextView title, MessageBoxStyle style) {
  const std::string shown(text);
  const std::string caption(title);
  return MessageBoxA(nullptr, shown.c_str(), caption.c_str(), static_cast<UINT>(style));
}

}  // namespace kestrafil
