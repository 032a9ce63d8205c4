#include "tests/wine/support/mouse.h"

#include <array>

namespace wine_test {

bool click(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  // Absolute coordinates run from 0 to 65535 over the primary screen. Every event carries the
  // point: Wine moves the pointer back to where the X pointer is when a window appears under
  // it, and a press without a point would land there.
  const int x = MulDiv((rect.left + rect.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const int y = MulDiv((rect.top + rect.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  std::array<INPUT, 3> inputs{};
  const std::array<DWORD, 3> buttons{0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dx = x;
    inputs[i].mi.dy = y;
    inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons[i];
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace wine_test
