// Filling another process's edit box the way a paste does.
#pragma once

#include <windows.h>

#include <string_view>

namespace wine_test {

// Replaces the control's text by WM_SETTEXT, which Windows carries across processes. ANSI, so
// GBK bytes under code page 936. True once the program has taken the text.
bool set_text(HWND control, std::string_view text);

}  // namespace wine_test
