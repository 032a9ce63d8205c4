// The shape of a window description that the platform turns into real windows: the main
// window's properties, its controls as rows, its menu. The program's own layout fills it.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace kestrafil {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// How much wider and taller a window's frame (borders, caption bar, menu bar) makes it than its
// client area, under the system's current metrics.
struct FrameExtent {
  int width = 0;
  int height = 0;
};

enum class ControlKind { edit_box, label, push_button };

// Behaviour flags of a control row; the platform maps them to native styles.
enum ControlFlag : unsigned {
  visible = 1U << 0,
  disabled = 1U << 1,
  tab_stop = 1U << 2,
  multi_line = 1U << 3,     // edit box with many lines; keeps Enter (wants return)
  auto_h_scroll = 1U << 4,  // long lines scroll sideways instead of wrapping
  auto_v_scroll = 1U << 5,
  h_scroll_bar = 1U << 6,
  v_scroll_bar = 1U << 7,
  word_wrap = 1U << 8,  // label text breaks at line ends and the right edge
};

enum class Control {
  按钮4,
  标签1,
  编辑框1,
  按钮3,
  按钮2,
  标签3,
  标签2,
  保存路径框,
  搜索路径框,
  按钮1,
  批处理框,
};

// The last control above comes last, so this is how many there are.
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::批处理框) + 1;

struct ControlRow {
  Control name;
  ControlKind kind;
  Rect rect;  // in the main window's client area
  std::string_view text;
  unsigned flags;
  int child_id;
};

struct MenuRow {
  std::string_view text;
  bool header;  // a header opens the entries below it up to the next header
  int command_id;
};

struct WindowDesign {
  std::string_view caption;
  std::string_view icon_resource;
  std::span<const ControlRow> controls;  // in creation order: the first row is created first
  std::span<const MenuRow> menu;
};

}  // namespace kestrafil
