/* The smallest Windows program that does what this one does at start-up: register a window
   class, create a top-level window of the same outer size centred on the screen with one push
   button in it, show it and serve its messages until it is closed. The benchmark measures the
   program against it.

   The button is there for the library behind it: with the manifest's Common Controls 6
   dependency, the first standard control of a process maps comctl32 version 6, as it does for
   every program with visual styles, and the floor pays for that as the program does. */
#include <windows.h>

static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  static const char class_name[] = "floor_window_c";
  const int width = 344;
  const int height = 442;
  WNDCLASSA window_class = {0};
  HWND window;
  MSG message;
  (void)previous;
  (void)command_line;
  (void)show;

  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  window_class.lpszClassName = class_name;
  if (!RegisterClassA(&window_class)) return 1;

  window = CreateWindowExA(
      0, class_name, "floor (C)", WS_OVERLAPPEDWINDOW, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, NULL, NULL, instance, NULL);
  if (window == NULL) return 1;
  if (CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 44, 361, 120, 25,
                      window, NULL, instance, NULL) == NULL) {
    return 1;
  }
  ShowWindow(window, SW_SHOW);

  while (GetMessageA(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return (int)message.wParam;
}
