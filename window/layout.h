// The main window's fixed layout: its properties, its controls and its menu bar.
#pragma once

#include <optional>
#include <span>

#include "platform/window_design.h"

namespace kestrafil {

enum class MenuEntry { settings, choose_search_folder, choose_save_folder, about, help, usage };

struct MenuEntryRow {
  MenuEntry entry{};
  MenuRow row;
};

inline constexpr int kOuterWidth = 344;
inline constexpr int kOuterHeight = 442;
inline constexpr int kFirstMenuCommand = 20000;

const WindowDesign& main_window_design();

// The controls in creation order, which is also the tab order.
std::span<const ControlRow> control_rows();
const ControlRow& control_row(Control control);
std::optional<Control> control_by_child_id(int child_id);

std::optional<MenuEntry> menu_entry_by_command(int command_id);

// The main window's place and outer size: 344 by 442, unless a frame of the given extent would
// leave a client area too small for the controls; then just large enough to hold them. Centred
// on a screen of the given size, each half truncated toward zero.
Rect centred_outer_rect(int screen_width, int screen_height, FrameExtent frame);

}  // namespace kestrafil
