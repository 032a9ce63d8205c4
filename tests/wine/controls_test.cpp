// Every control of the main window as another program sees it: identifier, class, place,
// text, state and styles, and the stacking order.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/window_finder.h"
#include "window/script_body.h"

namespace wine_test {
namespace {

struct Box {
  int left, top, width, height;
  friend bool operator==(const Box&, const Box&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
  }
};

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kButton =
    kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kFolderBox = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kNameListBox = kChild | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL |
                               ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL;
constexpr DWORD kScriptBox =
    kChild | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
// A label's low style bits are its own business; the window bits are not.
constexpr DWORD kWindowBits = 0xFFFF0000;
constexpr DWORD kAllBits = 0xFFFFFFFF;

constexpr std::string_view kInstruction =
    "●请将需要搜索的文件名(含扩展名)输入到下面的文本框。\r\n●注意：每行只能一个文件名。";

struct ControlRow {
  const char* name;
  int id;
  const char* window_class;
  Box box;
  std::string_view text;
  bool visible;
  bool enabled;
  DWORD style;
  DWORD style_mask;
  DWORD ex_style;
};

// In creation order. Styles leave out WS_VISIBLE and WS_DISABLED, which the two flags cover.
// clang-format off
const ControlRow kControls[] = {
  // name          id   class             left top  width height  text                       visible enabled style         style mask   extended style
  {"批处理框",   100, "Edit",           {11,  3,   256, 2},   kestrafil::kScriptBody,    false, true,  kScriptBox,   kAllBits,    WS_EX_CLIENTEDGE},
  {"按钮1",      110, "Button",         {44,  361, 120, 25},  "开始",                     true,  true,  kButton,      kAllBits,    0},
  {"搜索路径框", 120, "Edit",           {121, 12,  120, 25},  "",                         true,  true,  kFolderBox,   kAllBits,    WS_EX_CLIENTEDGE},
  {"保存路径框", 130, "Edit",           {121, 60,  120, 25},  "",                         true,  true,  kFolderBox,   kAllBits,    WS_EX_CLIENTEDGE},
  {"标签2",      140, "KestrafilLabel", {57,  12,  55,  25},  "搜索路径：",               true,  true,  kChild,       kWindowBits, 0},
  {"标签3",      150, "KestrafilLabel", {57,  60,  55,  25},  "保存路径：",               true,  true,  kChild,       kWindowBits, 0},
  {"按钮2",      160, "Button",         {249, 12,  32,  24},  "<<<",                      true,  true,  kButton,      kAllBits,    0},
  {"按钮3",      170, "Button",         {249, 60,  32,  24},  "<<<",                      true,  true,  kButton,      kAllBits,    0},
  {"编辑框1",    180, "Edit",           {21,  178, 296, 174}, "",                         true,  true,  kNameListBox, kAllBits,    WS_EX_CLIENTEDGE},
  {"标签1",      190, "KestrafilLabel", {7,   96,  312, 64},  kInstruction,               true,  true,  kChild,       kWindowBits, 0},
  {"按钮4",      200, "Button",         {174, 361, 120, 25},  "查看搜索到的文件",         true,  false, kButton,      kAllBits,    0},
};
// clang-format on

bool same_class(const std::string& actual, const char* expected) {
  return lstrcmpiA(actual.c_str(), expected) == 0;
}

TEST(Controls, EachControlHasItsIdentifierClassPlaceTextStateAndStyles) {
  KestrafilProcess app;
  for (const auto& row : kControls) {
    SCOPED_TRACE(row.name);
    HWND control = app.control(row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(same_class(class_name(control), row.window_class)) << class_name(control);
    const RECT rect = rect_in_parent(control);
    EXPECT_EQ((Box{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}), row.box);
    EXPECT_EQ(window_text(control), row.text);
    EXPECT_EQ(IsWindowVisible(control) != FALSE, row.visible);
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, row.enabled);
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    const DWORD expected =
        row.style | (row.visible ? WS_VISIBLE : 0) | (row.enabled ? 0 : WS_DISABLED);
    EXPECT_EQ(style & row.style_mask, expected & row.style_mask) << std::hex << style;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)), row.ex_style);
  }
}

TEST(Controls, StackFromTheViewButtonOnTopDownToTheScriptBox) {
  KestrafilProcess app;
  EXPECT_EQ(child_ids_top_down(app.main_window()),
            (std::vector<int>{200, 190, 180, 170, 160, 150, 140, 130, 120, 110, 100}));
}

}  // namespace
}  // namespace wine_test
