#include "platform/win32/win32_label.h"

#include "platform/text.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_class.h"

namespace kestrafil {
namespace {

// The label's extra window bytes hold the font that WM_SETFONT gave it.
constexpr int kFontSlot = 0;

void paint_label(HWND label) {
  const PaintScope paint(label);
  RECT area{};
  GetClientRect(label, &area);
  FillRect(paint.dc(), &area, GetSysColorBrush(COLOR_BTNFACE));

  const int length = GetWindowTextLengthA(label);
  if (length <= 0) return;
  Text text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(label, text.data(), length + 1);

  const SelectionScope font(paint.dc(),
                            reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(label, kFontSlot)));
  SetBkMode(paint.dc(), TRANSPARENT);
  // The button-face pair: black on grey in the standard schemes, readable in high contrast.
  SetTextColor(paint.dc(), GetSysColor(COLOR_BTNTEXT));
  const bool wraps = (GetWindowLongA(label, GWL_STYLE) & kLabelWordWrap) != 0;
  const UINT format = DT_NOCLIP | DT_VCENTER | (wraps ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextA(paint.dc(), text.data(), copied, &area, format);
}

LRESULT CALLBACK label_procedure(HWND label, UINT id, WPARAM wparam, LPARAM lparam) {
  switch (id) {
    case WM_PAINT:
      paint_label(label);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the whole area
    case WM_SETFONT:
      SetWindowLongPtrA(label, kFontSlot, static_cast<LONG_PTR>(wparam));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(label, kFontSlot);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(label, id, wparam, lparam);
      InvalidateRect(label, nullptr, FALSE);
      return result;
    }
    default:
      return DefWindowProcA(label, id, wparam, lparam);
  }
}

}  // namespace

bool register_label_class(HINSTANCE instance) {
  WNDCLASSEXA label_class{};
  label_class.cbSize = sizeof(label_class);
  label_class.style = CS_HREDRAW | CS_VREDRAW;
  label_class.lpfnWndProc = label_procedure;
  label_class.cbWndExtra = sizeof(LONG_PTR);
  label_class.hInstance = instance;
  label_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  label_class.lpszClassName = kLabelClass;
  return register_window_class(label_class);
}

}  // namespace kestrafil
