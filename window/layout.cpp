#include "window/layout.h"

#include <algorithm>
#include <array>

#include "window/script_body.h"

namespace kestrafil {
namespace {

constexpr unsigned kButton = visible | tab_stop;
constexpr unsigned kFolderBox = visible | tab_stop | auto_h_scroll;
constexpr unsigned kNameListBox =
    visible | tab_stop | multi_line | auto_v_scroll | auto_h_scroll | h_scroll_bar | v_scroll_bar;
constexpr unsigned kScriptBox = tab_stop | multi_line | auto_v_scroll | v_scroll_bar;

constexpr std::string_view kInstruction =
    "●请将需要搜索的文件名(含扩展名)输入到下面的文本框。\r\n●注意：每行只能一个文件名。";

// Creation order; child identifiers go up by ten from 100.
// clang-format off
constexpr std::array kControls{
  //         name             kind                      left top  width height  text                flags               id
  ControlRow{Control::批处理框,   ControlKind::edit_box,    {11,  3,   256, 2},   kScriptBody,        kScriptBox,         100},
  ControlRow{Control::按钮1,     ControlKind::push_button, {44,  361, 120, 25},  "开始",              kButton,            110},
  ControlRow{Control::搜索路径框, ControlKind::edit_box,    {121, 12,  120, 25},  "",                 kFolderBox,         120},
  ControlRow{Control::保存路径框, ControlKind::edit_box,    {121, 60,  120, 25},  "",                 kFolderBox,         130},
  ControlRow{Control::标签2,     ControlKind::label,       {57,  12,  55,  25},  "搜索路径：",        visible,            140},
  ControlRow{Control::标签3,     ControlKind::label,       {57,  60,  55,  25},  "保存路径：",        visible,            150},
  ControlRow{Control::按钮2,     ControlKind::push_button, {249, 12,  32,  24},  "<<<",              kButton,            160},
  ControlRow{Control::按钮3,     ControlKind::push_button, {249, 60,  32,  24},  "<<<",              kButton,            170},
  ControlRow{Control::编辑框1,    ControlKind::edit_box,    {21,  178, 296, 174}, "",                 kNameListBox,       180},
  ControlRow{Control::标签1,     ControlKind::label,       {7,   96,  312, 64},  kInstruction,       visible | word_wrap, 190},
  ControlRow{Control::按钮4,     ControlKind::push_button, {174, 361, 120, 25},  "查看搜索到的文件", kButton | disabled, 200},
};
// clang-format on
static_assert(kControls.size() == kControlCount, "one row for every control");

constexpr std::array kMenu{
    MenuEntryRow{MenuEntry::settings, {"设置", true, kFirstMenuCommand + 0}},
    MenuEntryRow{MenuEntry::choose_search_folder, {"选择搜索路径", false, kFirstMenuCommand + 1}},
    MenuEntryRow{MenuEntry::choose_save_folder, {"选择保存路径", false, kFirstMenuCommand + 2}},
    MenuEntryRow{MenuEntry::about, {"关于", false, kFirstMenuCommand + 3}},
    MenuEntryRow{MenuEntry::help, {"帮助", true, kFirstMenuCommand + 4}},
    MenuEntryRow{MenuEntry::usage, {"使用说明", false, kFirstMenuCommand + 5}},
};

constexpr std::array<MenuRow, kMenu.size()> menu_rows() {
  std::array<MenuRow, kMenu.size()> rows{};
  std::ranges::transform(kMenu, rows.begin(), &MenuEntryRow::row);
  return rows;
}

constexpr auto kMenuRows = menu_rows();

constexpr bool menu_numbered_in_order() {
  auto expected = kFirstMenuCommand;
  for (const auto& entry : kMenu) {
    if (entry.row.command_id != expected) return false;
    ++expected;
  }
  return true;
}
static_assert(menu_numbered_in_order(), "menu identifiers count up from the first entry");

const WindowDesign kDesign{"Kestrafil", "DEFAULT_ICON", kControls, kMenuRows};

struct Extent {
  int width = 0;
  int height = 0;
};

// The client area that the controls need: out to the rightmost edge and down to the lowest.
constexpr Extent client_needed() {
  Extent needed;
  for (const auto& row : kControls) {
    needed.width = std::max(needed.width, row.rect.left + row.rect.width);
    needed.height = std::max(needed.height, row.rect.top + row.rect.height);
  }
  return needed;
}

constexpr Extent kClientNeeded = client_needed();

}  // namespace

const WindowDesign& main_window_design() {
  return kDesign;
}

std::span<const ControlRow> control_rows() {
  return kControls;
}

const ControlRow& control_row(Control control) {
  return *std::find_if(kControls.begin(), kControls.end(),
                       [control](const ControlRow& row) { return row.name == control; });
}

std::optional<Control> control_by_child_id(int child_id) {
  for (const auto& row : kControls) {
    if (row.child_id == child_id) return row.name;
  }
  return std::nullopt;
}

std::optional<MenuEntry> menu_entry_by_command(int command_id) {
  for (const auto& entry : kMenu) {
    if (entry.row.command_id == command_id) return entry.entry;
  }
  return std::nullopt;
}

Rect centred_outer_rect(int screen_width, int screen_height, FrameExtent frame) {
  const int width = std::max(kOuterWidth, kClientNeeded.width + frame.width);
  const int height = std::max(kOuterHeight, kClientNeeded.height + frame.height);
  return {(screen_width - width) / 2, (screen_height - height) / 2, width, height};
}

}  // namespace kestrafil
