// The menu bar from the rows of a window design.
#pragma once

#include <span>

#include "platform/win32/scoped.h"
#include "platform/window_design.h"

namespace kestrafil {

// Each header becomes a pop-up that holds the entries below it; every row, header or entry,
// carries its command identifier. Empty when the menu cannot be built.
ScopedMenu build_menu_bar(std::span<const MenuRow> rows);

}  // namespace kestrafil
