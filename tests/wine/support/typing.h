// Typing text and pressing key combinations through SendInput, into the window that has the
// keyboard focus, as a user's keyboard does.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace wine_test {

// One key press per character, sent as the character itself (Unicode input), so no keyboard
// layout is involved. Meant for ASCII, which is the same in every code page.
bool type_text(std::string_view text);

// The keys pressed in order and released in reverse order: {VK_CONTROL, 'V'} is Ctrl+V.
bool press_together(std::initializer_list<WORD> virtual_keys);

}  // namespace wine_test
