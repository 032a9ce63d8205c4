// A message box of the program under test, read from outside: a top-level `#32770` dialog of
// the process whose text is its static control 0xFFFF.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wine_test {

struct MessageBoxView {
  HWND box = nullptr;
  std::string title;
  std::string text;
  int buttons = 0;    // push buttons in the box
  bool icon = false;  // an icon is shown
};

// The process's message box once one is up, or nothing when none comes within the timeout.
std::optional<MessageBoxView> wait_for_message_box(DWORD process_id);

// Presses the box's OK button and waits until the box is gone.
bool close_message_box(HWND box);

}  // namespace wine_test
