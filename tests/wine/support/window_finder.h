// Looking at another process's windows from outside, as far as Win32 allows it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wine_test {

// The process's top-level windows, visible or not, in z-order.
std::vector<HWND> top_level_windows(DWORD process_id);
std::vector<HWND> visible_top_level_windows(DWORD process_id);

// The process's visible top-level window with this caption, of this class (any when empty),
// owned or not; null when there is none.
HWND find_top_level(DWORD process_id, const std::string& window_class, const std::string& caption,
                    bool owned = false);

std::string class_name(HWND window);

// The caption of a top-level window, which Windows keeps outside the owning process.
std::string caption(HWND window);

// A window's text by WM_GETTEXT, which Windows carries across processes; GetWindowText would
// give only the caption of another process's control. ANSI, so GBK bytes under code page 936.
std::string window_text(HWND window);

// The window's rectangle in its parent's client area.
RECT rect_in_parent(HWND child);

// Child identifiers from the top of the stacking order down.
std::vector<int> child_ids_top_down(HWND parent);

}  // namespace wine_test
