// Putting text on the clipboard, for the program under test to paste as a user would.
#pragma once

#include <string_view>

namespace wine_test {

// Replaces the clipboard's content with the text as CF_TEXT (ANSI code page).
bool put_text_on_clipboard(std::string_view text);

}  // namespace wine_test
