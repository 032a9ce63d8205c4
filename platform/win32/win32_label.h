// The self-drawn label: text in the font the window gives it (DEFAULT_GUI_FONT), in the
// button-text colour on the button-face colour, without a border.
#pragma once

#include <windows.h>

namespace kestrafil {

inline constexpr char kLabelClass[] = "KestrafilLabel";

// Class style of a label whose text breaks at line ends and at the right edge; without it the
// label draws one line, centred vertically.
inline constexpr DWORD kLabelWordWrap = 0x0001;

bool register_label_class(HINSTANCE instance);

}  // namespace kestrafil
