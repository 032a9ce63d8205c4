// The same window as floor_window.c (with its one push button), written with what the program
// itself uses of the C++ standard library: its texts are std::string and its list is a std::vector,
// so the statically linked runtime (allocation, exceptions, string and vector code) is in the file,
// as it is in the program's. The benchmark measures the program against both.
#include <windows.h>

#include <string>
#include <vector>

namespace {

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

struct WindowText {
  std::string class_name;
  std::string caption;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::vector<WindowText> windows{{"floor_window_cpp", "floor (C++ standard library)"}};
  constexpr int kWidth = 344;
  constexpr int kHeight = 442;

  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = windows.front().class_name.c_str();
  if (RegisterClassA(&window_class) == 0) return 1;

  HWND window = CreateWindowExA(
      0, windows.front().class_name.c_str(), windows.front().caption.c_str(), WS_OVERLAPPEDWINDOW,
      (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2,
      kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  if (CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 44, 361, 120, 25,
                      window, nullptr, instance, nullptr) == nullptr) {
    return 1;
  }
  ShowWindow(window, SW_SHOW);

  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
