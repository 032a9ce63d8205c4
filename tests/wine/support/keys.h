// Real key presses: SendInput goes through Windows' input queue into the program's own
// message loop, as a user's typing does.
#pragma once

#include <windows.h>

namespace wine_test {

// Presses and releases the key, with Shift held around it when asked.
void press(WORD virtual_key, bool shift = false);

// Makes the window the foreground window, so that it receives the keys.
bool bring_to_foreground(HWND window);

// The child identifier of the control that has the keyboard focus in the window's thread,
// or 0 when the focus is on no control of it.
int focused_control(HWND main_window);

// Waits until the control with this identifier has the focus.
bool wait_for_focus(HWND main_window, int control_id);

}  // namespace wine_test
