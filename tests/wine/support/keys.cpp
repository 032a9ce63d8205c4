#include "tests/wine/support/keys.h"

#include <vector>

#include "tests/wine/support/poll.h"

namespace wine_test {
namespace {

INPUT key_event(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void press(WORD virtual_key, bool shift) {
  std::vector<INPUT> inputs;
  if (shift) inputs.push_back(key_event(VK_SHIFT, false));
  inputs.push_back(key_event(virtual_key, false));
  inputs.push_back(key_event(virtual_key, true));
  if (shift) inputs.push_back(key_event(VK_SHIFT, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool bring_to_foreground(HWND window) {
  return wait_until([window] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

int focused_control(HWND main_window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_window, nullptr), &info)) return 0;
  if (info.hwndFocus == nullptr || GetParent(info.hwndFocus) != main_window) return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

bool wait_for_focus(HWND main_window, int control_id) {
  return wait_until([&] { return focused_control(main_window) == control_id; }, kReaction);
}

}  // namespace wine_test
