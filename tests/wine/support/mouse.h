// Mouse clicks as a user gives them, through SendInput: the system routes them to the window
// under the pointer, and the program's own message loop handles them.
#pragma once

#include <windows.h>

namespace wine_test {

// A left click in the middle of the window (in whatever lies on top of it there).
bool click(HWND window);

}  // namespace wine_test
