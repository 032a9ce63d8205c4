// The main window's procedure and the window services over it and its controls.
#include <algorithm>
#include <climits>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

BOOL CALLBACK collect_own_window(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) {
    reinterpret_cast<std::vector<WindowRef>*>(found)->push_back(to_ref<WindowRef>(window));
  }
  return TRUE;
}

}  // namespace

Win32Platform::~Win32Platform() = default;

LRESULT CALLBACK Win32Platform::main_window_procedure(HWND window, UINT id, WPARAM wparam,
                                                      LPARAM lparam) {
  if (id == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (platform == nullptr) return DefWindowProcA(window, id, wparam, lparam);
  return platform->handle_main_window_message(window, id, wparam, lparam);
}

LRESULT Win32Platform::handle_main_window_message(HWND window, UINT id, WPARAM wparam,
                                                  LPARAM lparam) {
  switch (id) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    // The window draws no text itself; it keeps its font for whoever asks.
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      if (window == main_) main_ = nullptr;
      events_ = nullptr;
      break;
    default:
      break;
  }
  if (events_ == nullptr) return DefWindowProcA(window, id, wparam, lparam);

  switch (id) {
    case WM_COMMAND:
      if (events_->on_command(LOWORD(wparam), HIWORD(wparam) == BN_CLICKED ? Notification::click
                                                                           : Notification::other)) {
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) events_->on_deactivated(child_id_of(GetFocus()));
      break;
    case WM_SETFOCUS:
      if (const int child = events_->on_focus_received()) SetFocus(control(child));
      return 0;
    case WM_DESTROY:
      events_->on_destroyed();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, id, wparam, lparam);
}

HWND Win32Platform::control(int child_id) const {
  return main_ == nullptr ? nullptr : GetDlgItem(main_, child_id);
}

int Win32Platform::child_id_of(HWND window) const {
  if (main_ == nullptr || window == nullptr || GetParent(window) != main_) return 0;
  return GetDlgCtrlID(window);
}

ScreenSize Win32Platform::screen_size() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32Platform::main_window_exists() {
  return main_ != nullptr;
}

void Win32Platform::close_main_window() {
  SendMessageA(main_, WM_CLOSE, 0, 0);
}

bool Win32Platform::is_main_window_or_control(WindowRef window) {
  const auto hwnd = from_ref<HWND>(window);
  return main_ != nullptr && (hwnd == main_ || IsChild(main_, hwnd));
}

std::size_t Win32Platform::control_text_length(int child_id) {
  const int length = GetWindowTextLengthA(control(child_id));
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

std::size_t Win32Platform::read_control_text(int child_id, char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  buffer[0] = '\0';
  const auto size = static_cast<int>(std::min<std::size_t>(capacity, INT_MAX));
  const int copied = GetWindowTextA(control(child_id), buffer, size);
  return copied > 0 ? static_cast<std::size_t>(copied) : 0;
}

void Win32Platform::write_control_text(int child_id, TextView text) {
  const Text terminated(text);
  SetWindowTextA(control(child_id), terminated.c_str());
}

void Win32Platform::enable_control(int child_id, bool enabled) {
  EnableWindow(control(child_id), enabled ? TRUE : FALSE);
}

// The control's own flag: it stays set while the main window itself is not yet shown.
bool Win32Platform::control_visible(int child_id) {
  HWND window = control(child_id);
  return window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Win32Platform::control_enabled(int child_id) {
  HWND window = control(child_id);
  return window != nullptr && IsWindowEnabled(window) != FALSE;
}

int Win32Platform::focused_control() {
  return child_id_of(GetFocus());
}

void Win32Platform::focus_control(int child_id) {
  HWND window = control(child_id);
  if (window == nullptr) return;
  // The focus moves by the keyboard, so its rectangle shows from now on, as dialog navigation
  // shows it; Windows hides it in a window the user has only clicked.
  SendMessageA(main_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(window);
}

KeyModifiers Win32Platform::key_modifiers() {
  const auto down = [](int key) { return GetKeyState(key) < 0; };
  return {down(VK_CONTROL), down(VK_SHIFT), down(VK_MENU)};
}

WindowRef Win32Platform::active_window() {
  return to_ref<WindowRef>(GetActiveWindow());
}

WindowRef Win32Platform::foreground_window() {
  return to_ref<WindowRef>(GetForegroundWindow());
}

bool Win32Platform::is_window(WindowRef window) {
  return IsWindow(from_ref<HWND>(window)) != FALSE;
}

std::vector<WindowRef> Win32Platform::top_level_windows() {
  std::vector<WindowRef> windows;
  // Top-level windows have no parent; owned ones (a message box, the folder picker) count too.
  EnumWindows(collect_own_window, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32Platform::window_enabled(WindowRef window) {
  return IsWindowEnabled(from_ref<HWND>(window)) != FALSE;
}

void Win32Platform::enable_window(WindowRef window, bool enabled) {
  EnableWindow(from_ref<HWND>(window), enabled ? TRUE : FALSE);
}

void Win32Platform::set_foreground_window(WindowRef window) {
  SetForegroundWindow(from_ref<HWND>(window));
}

void Win32Platform::set_active_window(WindowRef window) {
  SetActiveWindow(from_ref<HWND>(window));
}

WindowRef Win32Platform::find_top_level_window(TextView title) {
  const Text whole_title(title);
  return to_ref<WindowRef>(FindWindowExA(nullptr, nullptr, nullptr, whole_title.c_str()));
}

}  // namespace kestrafil
