// Building the main window from its design: class, frame, menu bar, icons and controls.
#include <array>

#include "platform/text.h"
#include "platform/win32/win32_class.h"
#include "platform/win32/win32_label.h"
#include "platform/win32/win32_menu.h"
#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

constexpr char kMainClass[] = "KestrafilMain";
constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kControlStyle = WS_CHILD | WS_CLIPSIBLINGS;

struct KindStyle {
  ControlKind kind;
  const char* window_class;
  DWORD ex_style;
  DWORD style;
};

constexpr std::array kKindStyles{
    KindStyle{ControlKind::edit_box, "EDIT", WS_EX_CLIENTEDGE, ES_LEFT},
    KindStyle{ControlKind::push_button, "BUTTON", 0,
              BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE},
    KindStyle{ControlKind::label, kLabelClass, 0, 0},
};

struct FlagStyle {
  ControlFlag flag;
  DWORD style;
};

// Visibility is left out on purpose: every control starts hidden and is shown once the
// stacking order is set.
constexpr std::array kFlagStyles{
    FlagStyle{disabled, WS_DISABLED},
    FlagStyle{tab_stop, WS_TABSTOP},
    FlagStyle{multi_line, ES_MULTILINE | ES_WANTRETURN},
    FlagStyle{auto_h_scroll, ES_AUTOHSCROLL},
    FlagStyle{auto_v_scroll, ES_AUTOVSCROLL},
    FlagStyle{h_scroll_bar, WS_HSCROLL},
    FlagStyle{v_scroll_bar, WS_VSCROLL},
    FlagStyle{word_wrap, kLabelWordWrap},
};

const KindStyle& kind_style(ControlKind kind) {
  for (const auto& row : kKindStyles) {
    if (row.kind == kind) return row;
  }
  return kKindStyles.front();
}

DWORD control_style(const ControlRow& row) {
  DWORD style = kControlStyle | kind_style(row.kind).style;
  for (const auto& flag : kFlagStyles) {
    if ((row.flags & flag.flag) != 0) style |= flag.style;
  }
  return style;
}

void set_default_font(HWND window) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
}

}  // namespace

bool Win32Platform::register_window_classes() {
  WNDCLASSEXA main_class{};
  main_class.cbSize = sizeof(main_class);
  main_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  main_class.lpfnWndProc = main_window_procedure;
  main_class.hInstance = instance_;
  main_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main_class.lpszClassName = kMainClass;
  return register_window_class(main_class) && register_label_class(instance_);
}

ScopedWindow Win32Platform::create_frame(const WindowDesign& design, Rect outer) {
  ScopedMenu menu = build_menu_bar(design.menu);
  if (!menu) return {};
  const Text caption(design.caption);
  ScopedWindow frame(CreateWindowExA(0, kMainClass, caption.c_str(), kFrameStyle, outer.left,
                                     outer.top, outer.width, outer.height, nullptr, menu.get(),
                                     instance_, this));
  if (!frame) return {};
  menu.release();  // the window destroys its menu bar

  // CreateWindowExA may give the frame another size than asked: the system adjusts a new
  // top-level window, for one to the screen it opens on. The controls are placed for the
  // designed size, so a frame that came out otherwise is asked for that size once more.
  RECT given{};
  GetWindowRect(frame.get(), &given);
  if (given.right - given.left != outer.width || given.bottom - given.top != outer.height) {
    SetWindowPos(frame.get(), nullptr, 0, 0, outer.width, outer.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return frame;
}

FrameExtent Win32Platform::main_frame_extent() {
  RECT frame{};
  AdjustWindowRectEx(&frame, kFrameStyle, TRUE, 0);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32Platform::set_icons(HWND frame, const char* resource) {
  large_icon_ =
      ScopedIcon(static_cast<HICON>(LoadImageA(instance_, resource, IMAGE_ICON, 32, 32, 0)));
  small_icon_ =
      ScopedIcon(static_cast<HICON>(LoadImageA(instance_, resource, IMAGE_ICON, 16, 16, 0)));
  SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_icon_.get()));
  SendMessageA(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
}

bool Win32Platform::create_controls(HWND frame, const WindowDesign& design) {
  for (const auto& row : design.controls) {
    const auto& kind = kind_style(row.kind);
    const Text text(row.text);
    HWND child = CreateWindowExA(kind.ex_style, kind.window_class, text.c_str(), control_style(row),
                                 row.rect.left, row.rect.top, row.rect.width, row.rect.height,
                                 frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.child_id)),
                                 instance_, nullptr);
    if (child == nullptr) return false;
    set_default_font(child);
    if (row.kind == ControlKind::edit_box) {
      SendMessageA(child, EM_SETLIMITTEXT, 0, 0);
      SendMessageA(child, EM_SETSEL, 0, 0);
    }
  }
  // Each row in turn goes on top, so the last one created ends up above all the others.
  for (const auto& row : design.controls) {
    SetWindowPos(GetDlgItem(frame, row.child_id), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (const auto& row : design.controls) {
    ShowWindow(GetDlgItem(frame, row.child_id), (row.flags & visible) != 0 ? SW_SHOWNA : SW_HIDE);
  }
  return true;
}

bool Win32Platform::create_main_window(const WindowDesign& design, Rect outer,
                                       WindowEvents& events) {
  if (!register_window_classes()) return false;
  ScopedWindow frame = create_frame(design, outer);
  if (!frame) return false;
  const Text icon(design.icon_resource);
  set_icons(frame.get(), icon.c_str());
  set_default_font(frame.get());
  if (!create_controls(frame.get(), design)) return false;
  events_ = &events;
  main_ = frame.release();
  return true;
}

void Win32Platform::show_main_window() {
  ShowWindow(main_, SW_SHOW);
}

}  // namespace kestrafil
