// Registering a window class of the program.
#pragma once

#include <windows.h>

namespace kestrafil {

// A class lives as long as the process, so a later main window of the same process finds it
// registered already and uses it as it is.
inline bool register_window_class(const WNDCLASSEXA& window_class) {
  return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace kestrafil
