// The message queue and message boxes.
#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

Message from_msg(const MSG& msg) {
  return {to_native(msg.hwnd),
          msg.message,
          msg.wParam,
          msg.lParam,
          msg.time,
          static_cast<int>(msg.pt.x),
          static_cast<int>(msg.pt.y)};
}

MSG to_msg(const Message& message) {
  MSG msg{};
  msg.hwnd = from_native<HWND>(message.window);
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

int Win32Platform::message_box(const char* text, const char* title, unsigned style) {
  return MessageBoxA(nullptr, text, title, style);
}

}  // namespace kestrafil
