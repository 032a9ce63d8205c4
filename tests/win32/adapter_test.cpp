// The Win32 platform inside this process: the real main window built from the program's own
// design, checked through what only its own process can read (menu handles, fonts, class data,
// painted pixels) and through what its window procedure hands to the core.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "window/layout.h"

namespace kestrafil {
namespace {

struct CommandSeen {
  unsigned id;
  Notification notification;
  friend bool operator==(const CommandSeen&, const CommandSeen&) = default;
};

// Stands in for the core: records what the window procedure reports.
class RecordingEvents final : public WindowEvents {
 public:
  bool on_command(unsigned id, Notification notification) override {
    commands.push_back({id, notification});
    return true;
  }
  void on_deactivated(int focused_child) override { deactivations.push_back(focused_child); }
  int on_focus_received() override { return focus_target; }
  void on_destroyed() override { ++destroyed; }

  std::vector<CommandSeen> commands;
  std::vector<int> deactivations;
  int focus_target = 0;  // the child that on_focus_received names
  int destroyed = 0;
};

template <class Handle, auto Release>
struct Releaser {
  void operator()(Handle handle) const { Release(handle); }
};
template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Release>>;
using OwnedWindow = Owned<HWND, DestroyWindow>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using OwnedMemoryDc = Owned<HDC, DeleteDC>;
using OwnedHook = Owned<HHOOK, UnhookWindowsHookEx>;

std::string class_name(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

BOOL CALLBACK collect_window(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// The top-level windows of this thread, without the input method's own, which Windows keeps
// per thread whatever the program does.
std::vector<HWND> own_windows() {
  std::vector<HWND> all;
  EnumThreadWindows(GetCurrentThreadId(), collect_window, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> own;
  std::copy_if(all.begin(), all.end(), std::back_inserter(own),
               [](HWND window) { return class_name(window) != "IME"; });
  std::sort(own.begin(), own.end());
  return own;
}

HWND window_captioned(const std::string& caption) {
  for (HWND window : own_windows()) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (caption == text) return window;
  }
  return nullptr;
}

Rect centred_on_screen() {
  Win32Platform platform(GetModuleHandleA(nullptr));
  return centred_outer_rect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                            platform.main_frame_extent());
}

// Lets queued messages (paint, activation) run, as the program's event loop would.
void serve_messages() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform_.create_main_window(main_window_design(), centred_on_screen(), events_));
    window_ = window_captioned(std::string(main_window_design().caption));
    ASSERT_NE(window_, nullptr);
  }

  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }

  HWND control(Control name) const { return GetDlgItem(window_, control_row(name).child_id); }

  RecordingEvents events_;
  Win32Platform platform_{GetModuleHandleA(nullptr)};
  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, WindowAndEveryControlAnswerWithTheDefaultGuiFont) {
  const auto font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(SendMessageA(window_, WM_GETFONT, 0, 0), font) << "main window";
  for (const auto& row : control_rows()) {
    EXPECT_EQ(SendMessageA(GetDlgItem(window_, row.child_id), WM_GETFONT, 0, 0), font)
        << "child " << row.child_id;
  }
}

struct MenuItem {
  std::string text;
  UINT id;
  UINT type;
  UINT state;
  std::vector<MenuItem> entries;  // of a pop-up
  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

void PrintTo(const MenuItem& item, std::ostream* out) {
  *out << "{\"" << item.text << "\" " << item.id << " type " << item.type << " state " << item.state
       << " [";
  for (const auto& entry : item.entries) PrintTo(entry, out);
  *out << "]}";
}

std::vector<MenuItem> read_menu(HMENU menu) {
  std::vector<MenuItem> items;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
      ADD_FAILURE() << "menu item " << position << " unreadable";
      continue;
    }
    items.push_back(
        {text, info.wID, info.fType, info.fState,
         info.hSubMenu != nullptr ? read_menu(info.hSubMenu) : std::vector<MenuItem>{}});
  }
  return items;
}

TEST_F(MainWindowTest, MenuBarHoldsTwoPopUpsWithPlainEnabledEntriesNumberedFrom20000) {
  // A plain string item: no separator, no check mark, not greyed, no shortcut text after a tab.
  // clang-format off
  const std::vector<MenuItem> expected{
      {"设置", 20000, MFT_STRING, MFS_ENABLED, {
          {"选择搜索路径", 20001, MFT_STRING, MFS_ENABLED, {}},
          {"选择保存路径", 20002, MFT_STRING, MFS_ENABLED, {}},
          {"关于",         20003, MFT_STRING, MFS_ENABLED, {}}}},
      {"帮助", 20004, MFT_STRING, MFS_ENABLED, {
          {"使用说明",     20005, MFT_STRING, MFS_ENABLED, {}}}},
  };
  // clang-format on
  HMENU bar = GetMenu(window_);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(read_menu(bar), expected);
}

TEST_F(MainWindowTest, ClassRedrawsOnResizeTakesDoubleClicksShowsTheArrowAndHasNoBrush) {
  EXPECT_EQ(GetClassLongPtrA(window_, GCL_STYLE),
            static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HCURSOR),
            reinterpret_cast<ULONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)));
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_HBRBACKGROUND), 0u);
}

SIZE icon_size(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  const OwnedBitmap mask(info.hbmMask);
  const OwnedBitmap colour(info.hbmColor);
  BITMAP bitmap{};
  if (colour) {
    GetObjectA(colour.get(), sizeof(bitmap), &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
  }
  // A monochrome icon keeps its AND and XOR masks one above the other.
  GetObjectA(mask.get(), sizeof(bitmap), &bitmap);
  return {bitmap.bmWidth, bitmap.bmHeight / 2};
}

TEST_F(MainWindowTest, BigIconIs32AndSmallIcon16PixelsSquare) {
  struct IconRow {
    const char* name;
    WPARAM kind;
    LONG size;
  };
  for (const auto& row : {IconRow{"big", ICON_BIG, 32}, IconRow{"small", ICON_SMALL, 16}}) {
    const auto icon = reinterpret_cast<HICON>(SendMessageA(window_, WM_GETICON, row.kind, 0));
    ASSERT_NE(icon, nullptr) << row.name;
    const SIZE size = icon_size(icon);
    EXPECT_EQ(size.cx, row.size) << row.name;
    EXPECT_EQ(size.cy, row.size) << row.name;
  }
}

TEST_F(MainWindowTest, EditBoxesTakeTheLargestLimitAndStartWithTheCaretAtTheStart) {
  // The system's largest limits: one-line boxes stop just short of 2 GiB, multi-line ones not.
  constexpr LRESULT kOneLineMaximum = 0x7FFFFFFE;
  constexpr LRESULT kMultiLineMaximum = static_cast<LRESULT>(0xFFFFFFFF);
  int boxes = 0;
  for (const auto& row : control_rows()) {
    if (row.kind != ControlKind::edit_box) continue;
    ++boxes;
    HWND box = GetDlgItem(window_, row.child_id);
    const bool many_lines = (row.flags & multi_line) != 0;
    EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0),
              many_lines ? kMultiLineMaximum : kOneLineMaximum)
        << "child " << row.child_id;
    DWORD start = 1;
    DWORD end = 1;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u) << "child " << row.child_id;
    EXPECT_EQ(end, 0u) << "child " << row.child_id;
  }
  EXPECT_EQ(boxes, 4);
}

// What a window shows on screen, read back pixel by pixel.
class Capture {
 public:
  explicit Capture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));

    HDC screen = GetDC(window);
    const OwnedMemoryDc memory(CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const OwnedBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (memory && bitmap) {
      const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
      BitBlt(memory.get(), 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
      GdiFlush();
      const auto* source = static_cast<const std::uint32_t*>(bits);
      std::copy(source, source + pixels_.size(), pixels_.begin());
      SelectObject(memory.get(), previous);
    }
    ReleaseDC(window, screen);
  }

  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF at(int x, int y) const {
    const std::uint32_t bgrx = pixels_[static_cast<std::size_t>(y * width_ + x)];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// Where a label has drawn anything but its background, and how much of it is exactly the text
// colour.
struct Ink {
  int top = INT_MAX;
  int bottom = -1;
  int left = INT_MAX;
  int in_text_colour = 0;
};

Ink ink_of(const Capture& capture, COLORREF background, COLORREF text) {
  Ink ink;
  for (int y = 0; y < capture.height(); ++y) {
    for (int x = 0; x < capture.width(); ++x) {
      const COLORREF pixel = capture.at(x, y);
      if (pixel == background) continue;
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ink.left = std::min(ink.left, x);
      if (pixel == text) ++ink.in_text_colour;
    }
  }
  return ink;
}

void redraw_all(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  serve_messages();
}

// Sets system colours for the life of the scope and puts the old ones back after it.
class SystemColours {
 public:
  SystemColours(std::vector<int> elements, std::vector<COLORREF> colours)
      : elements_(std::move(elements)) {
    for (const int element : elements_) previous_.push_back(GetSysColor(element));
    SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
  }
  ~SystemColours() {
    SetSysColors(static_cast<int>(elements_.size()), elements_.data(), previous_.data());
  }
  SystemColours(const SystemColours&) = delete;
  SystemColours& operator=(const SystemColours&) = delete;

 private:
  std::vector<int> elements_;
  std::vector<COLORREF> previous_;
};

TEST_F(MainWindowTest, LabelsPaintBlackTextOnButtonFaceWrappedFromTheTopOrCentredOnOneLine) {
  platform_.show_main_window();
  redraw_all(window_);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);

  // A gap between the boxes and 标签1 shows the window's own background.
  const Capture window(window_);
  EXPECT_EQ(window.at(3, 170), face);

  struct LabelRow {
    const char* name;
    Control label;
    bool wraps;
  };
  const LabelRow rows[] = {
      {"label 190 wraps from the top", Control::标签1, true},
      {"label 140 one line, centred", Control::标签2, false},
      {"label 150 one line, centred", Control::标签3, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Capture label(control(row.label));
    ASSERT_EQ(label.width(), control_row(row.label).rect.width);
    EXPECT_EQ(label.at(0, 0), face);
    EXPECT_EQ(label.at(label.width() - 1, label.height() - 1), face);
    const Ink ink = ink_of(label, face, RGB(0, 0, 0));
    ASSERT_GT(ink.in_text_colour, 0);
    EXPECT_LE(ink.left, 2);  // left-aligned
    if (row.wraps) {
      EXPECT_LE(ink.top, 3);
      // More than one line: the text holds a line break.
      EXPECT_GT(ink.bottom - ink.top, 20);
    } else {
      const int middle = (ink.top + ink.bottom) / 2;
      EXPECT_NEAR(middle, label.height() / 2, 3);
    }
  }
}

// The button face and text of the high-contrast black scheme: black drawn text would vanish.
TEST_F(MainWindowTest, LabelsDrawInTheSystemsButtonTextColourOnItsButtonFace) {
  const COLORREF face = RGB(0, 0, 0);
  const COLORREF text = RGB(255, 255, 255);
  const SystemColours high_contrast({COLOR_BTNFACE, COLOR_BTNTEXT}, {face, text});
  platform_.show_main_window();
  redraw_all(window_);

  for (const Control label : {Control::标签1, Control::标签2, Control::标签3}) {
    SCOPED_TRACE(control_row(label).child_id);
    const Capture pixels(control(label));
    EXPECT_EQ(pixels.at(0, 0), face);
    EXPECT_GT(ink_of(pixels, face, text).in_text_colour, 0);
  }
}

// The messages sent to windows of this thread while it lives, through a WH_CALLWNDPROC hook.
class SentMessages {
 public:
  struct Sent {
    HWND window;
    UINT id;
    WPARAM wparam;
    friend bool operator==(const Sent&, const Sent&) = default;
  };

  SentMessages() {
    current_ = this;
    hook_.reset(SetWindowsHookExA(WH_CALLWNDPROC, hook, nullptr, GetCurrentThreadId()));
  }
  ~SentMessages() { current_ = nullptr; }
  SentMessages(const SentMessages&) = delete;
  SentMessages& operator=(const SentMessages&) = delete;

  bool installed() const { return static_cast<bool>(hook_); }
  // The ones among the given message identifiers, in the order they were sent.
  std::vector<Sent> of(std::initializer_list<UINT> ids) const {
    std::vector<Sent> found;
    std::copy_if(sent_.begin(), sent_.end(), std::back_inserter(found), [ids](const Sent& sent) {
      return std::find(ids.begin(), ids.end(), sent.id) != ids.end();
    });
    return found;
  }

 private:
  static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && current_ != nullptr) {
      const auto& message = *reinterpret_cast<const CWPSTRUCT*>(lparam);
      current_->sent_.push_back({message.hwnd, message.message, message.wParam});
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static inline SentMessages* current_ = nullptr;
  OwnedHook hook_;
  std::vector<Sent> sent_;
};

void PrintTo(const SentMessages::Sent& sent, std::ostream* out) {
  *out << "{window " << sent.window << " message " << std::hex << sent.id << " wparam "
       << sent.wparam << std::dec << "}";
}

// Windows hides focus rectangles in a window the user has only clicked; dialog navigation
// clears that state on Tab before it moves the focus. Wine keeps no such state, so the message
// itself is what can be checked here.
TEST_F(MainWindowTest, FocusMovedAsTabDoesClearsTheHiddenFocusStateFirst) {
  platform_.show_main_window();
  HWND button = control(Control::按钮2);
  const SentMessages sent;
  ASSERT_TRUE(sent.installed());

  platform_.focus_control(control_row(Control::按钮2).child_id);

  EXPECT_EQ(GetFocus(), button);
  const auto clear = static_cast<WPARAM>(MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
  const auto seen = sent.of({WM_CHANGEUISTATE, WM_SETFOCUS});
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), (SentMessages::Sent{window_, WM_CHANGEUISTATE, clear}));
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [button](const SentMessages::Sent& message) {
    return message.window == button && message.id == WM_SETFOCUS;
  })) << "the button gets the focus after the change";
}

TEST_F(MainWindowTest, MenuChoiceReachesTheCoreWithItsIdentifier) {
  for (const unsigned id : {20001u, 20002u, 20003u, 20005u}) {
    events_.commands.clear();
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(events_.commands, (std::vector<CommandSeen>{{id, Notification::click}}));
  }
}

TEST_F(MainWindowTest, ButtonClickReachesTheCoreWithTheButtonsIdentifierAndCodeZero) {
  platform_.show_main_window();
  for (const Control button : {Control::按钮1, Control::按钮2, Control::按钮3}) {
    const auto id = static_cast<unsigned>(control_row(button).child_id);
    events_.commands.clear();
    SendMessageA(control(button), BM_CLICK, 0, 0);
    EXPECT_EQ(events_.commands, (std::vector<CommandSeen>{{id, Notification::click}}));
  }
}

TEST_F(MainWindowTest, AControlNotificationOtherThanAClickReachesTheCoreAsOther) {
  const auto id = static_cast<unsigned>(control_row(Control::搜索路径框).child_id);
  SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE),
               reinterpret_cast<LPARAM>(control(Control::搜索路径框)));
  EXPECT_EQ(events_.commands, (std::vector<CommandSeen>{{id, Notification::other}}));
}

// Key-down messages come out of the queue decoded; the raw message stays for dispatch.
TEST_F(MainWindowTest, QueuedKeyboardMessagesAreDecodedForTheCore) {
  struct Case {
    const char* name;
    UINT id;
    WPARAM key;
    KeyMessage keyboard;
    Key decoded;
  };
  const Case cases[] = {
      {"tab down", WM_KEYDOWN, VK_TAB, KeyMessage::key_down, Key::tab},
      {"escape down", WM_KEYDOWN, VK_ESCAPE, KeyMessage::key_down, Key::escape},
      {"enter down", WM_KEYDOWN, VK_RETURN, KeyMessage::key_down, Key::enter},
      {"letter down", WM_KEYDOWN, 'A', KeyMessage::key_down, Key::other},
      {"alt tab down", WM_SYSKEYDOWN, VK_TAB, KeyMessage::sys_key_down, Key::tab},
      {"tab character", WM_CHAR, VK_TAB, KeyMessage::other, Key::other},
      {"tab up", WM_KEYUP, VK_TAB, KeyMessage::other, Key::other},
      {"mouse move", WM_MOUSEMOVE, 0, KeyMessage::none, Key::other},
  };
  serve_messages();
  for (const auto& c : cases) {
    ASSERT_TRUE(PostMessageA(window_, c.id, c.key, 0)) << c.name;
    ASSERT_EQ(platform_.peek_message(), QueueHead::message) << c.name;
    const Message message = platform_.remove_message();
    EXPECT_EQ(message.id, c.id) << c.name;
    EXPECT_EQ(message.wparam, c.key) << c.name;
    EXPECT_EQ(message.keyboard, c.keyboard) << c.name;
    EXPECT_EQ(message.key, c.decoded) << c.name;
  }
}

TEST_F(MainWindowTest, CloseDestroysWindowControlsAndMenuAndReportsDestroyedOnce) {
  HMENU bar = GetMenu(window_);
  std::vector<HWND> controls;
  for (const auto& row : control_rows()) controls.push_back(GetDlgItem(window_, row.child_id));

  SendMessageA(window_, WM_CLOSE, 0, 0);

  EXPECT_FALSE(IsWindow(window_));
  for (HWND child : controls) EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(platform_.main_window_exists());
  EXPECT_EQ(events_.destroyed, 1);
  EXPECT_TRUE(events_.commands.empty());
}

TEST_F(MainWindowTest, DeactivationReportsTheFocusedControlWhichGetsTheFocusBack) {
  platform_.show_main_window();
  SetActiveWindow(window_);
  HWND box = control(Control::搜索路径框);
  SetFocus(box);
  ASSERT_EQ(GetFocus(), box);

  const OwnedWindow other(CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(other);
  SetActiveWindow(other.get());
  serve_messages();
  EXPECT_EQ(events_.deactivations, std::vector<int>{control_row(Control::搜索路径框).child_id});

  events_.focus_target = control_row(Control::搜索路径框).child_id;
  SetActiveWindow(window_);
  serve_messages();
  EXPECT_EQ(GetFocus(), box);
}

TEST_F(MainWindowTest, DeactivationWithoutAFocusedControlReportsNone) {
  platform_.show_main_window();
  SetActiveWindow(window_);
  SetFocus(window_);
  const OwnedWindow other(CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(other);
  SetActiveWindow(other.get());
  serve_messages();
  EXPECT_EQ(events_.deactivations, std::vector<int>{0});
}

TEST(MainWindowLifecycle, CanBeCreatedAgainAfterTheFirstWasClosed) {
  for (int round = 1; round <= 2; ++round) {
    RecordingEvents events;
    Win32Platform platform(GetModuleHandleA(nullptr));
    ASSERT_TRUE(platform.create_main_window(main_window_design(), centred_on_screen(), events))
        << "round " << round;
    platform.close_main_window();
    EXPECT_FALSE(platform.main_window_exists());
  }
}

// Refuses the creation of one window of this thread through a CBT hook, the way Windows
// refuses a window it cannot create, and remembers the frame that was being built.
class CreationRefusal {
 public:
  struct Target {
    const char* caption = nullptr;  // a top-level window with this caption
    int child_id = 0;               // or a child window with this identifier
  };

  explicit CreationRefusal(Target target) : target_(target) {
    current_ = this;
    hook_.reset(SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId()));
  }
  ~CreationRefusal() { current_ = nullptr; }
  CreationRefusal(const CreationRefusal&) = delete;
  CreationRefusal& operator=(const CreationRefusal&) = delete;

  bool installed() const { return static_cast<bool>(hook_); }
  int refused() const { return refused_; }
  HWND frame() const { return frame_; }
  HMENU frame_menu() const { return frame_menu_; }

 private:
  static LRESULT CALLBACK hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND && current_ != nullptr &&
        current_->refuse(reinterpret_cast<HWND>(wparam),
                         *reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs)) {
      return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  bool refuse(HWND window, const CREATESTRUCTA& creation) {
    const bool child = (creation.style & WS_CHILD) != 0;
    const bool frame = !child && creation.lpszName != nullptr &&
                       std::string(creation.lpszName) == std::string(main_window_design().caption);
    if (frame) {
      frame_ = window;
      frame_menu_ = creation.hMenu;
    }
    const bool target = (frame && target_.caption != nullptr) ||
                        (child && reinterpret_cast<INT_PTR>(creation.hMenu) == target_.child_id);
    if (target) ++refused_;
    return target;
  }

  static inline CreationRefusal* current_ = nullptr;
  Target target_;
  OwnedHook hook_;
  int refused_ = 0;
  HWND frame_ = nullptr;
  HMENU frame_menu_ = nullptr;
};

TEST(MainWindowFault, FailedCreationLeavesNoWindowNorMenuBehind) {
  // A menu entry before any header has no pop-up to go into.
  std::vector<MenuRow> headless(main_window_design().menu.begin(), main_window_design().menu.end());
  std::rotate(headless.begin(), headless.begin() + 1, headless.end());
  WindowDesign headless_design = main_window_design();
  headless_design.menu = headless;

  struct FaultRow {
    const char* name;
    const WindowDesign* design;
    CreationRefusal::Target refuse;
  };
  const FaultRow rows[] = {
      {"menu entry before any header", &headless_design, {}},
      {"frame refused", &main_window_design(), {.caption = "Kestrafil"}},
      {"last control refused", &main_window_design(), {.child_id = 200}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<HWND> before = own_windows();
    RecordingEvents events;
    Win32Platform platform(GetModuleHandleA(nullptr));
    const CreationRefusal refusal(row.refuse);
    ASSERT_TRUE(refusal.installed());

    EXPECT_FALSE(platform.create_main_window(*row.design, centred_on_screen(), events));

    EXPECT_EQ(own_windows(), before);
    EXPECT_FALSE(platform.main_window_exists());
    EXPECT_EQ(events.destroyed, 0);
    EXPECT_TRUE(events.commands.empty());
    if (row.design == &headless_design) continue;
    EXPECT_EQ(refusal.refused(), 1);
    ASSERT_NE(refusal.frame(), nullptr);
    EXPECT_FALSE(IsWindow(refusal.frame()));
    ASSERT_NE(refusal.frame_menu(), nullptr);
    EXPECT_FALSE(IsMenu(refusal.frame_menu()));
  }
}

}  // namespace
}  // namespace kestrafil
