// What the main window does with a key press before the focused control sees it.
#pragma once

#include "platform/window_system.h"

namespace kestrafil {

enum class KeyAction { pass_on, focus_next, focus_previous, close_window };

// For a key-down message aimed at an enabled window of the program. Enter is always passed on:
// no button is a default button, and the name list keeps it to start a new line.
KeyAction key_action(Key key, KeyModifiers modifiers);

}  // namespace kestrafil
