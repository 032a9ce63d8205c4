#include "tests/wine/support/message_box.h"

#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

constexpr int kTextControl = 0xFFFF;
constexpr int kIconControl = 0x0014;

HWND find_box(DWORD process_id) {
  for (HWND window : top_level_windows(process_id)) {
    if (IsWindowVisible(window) && class_name(window) == "#32770") return window;
  }
  return nullptr;
}

int count_buttons(HWND box) {
  int buttons = 0;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(class_name(child).c_str(), "Button") == 0 && IsWindowVisible(child)) ++buttons;
  }
  return buttons;
}

}  // namespace

std::optional<MessageBoxView> wait_for_message_box(DWORD process_id) {
  HWND box = nullptr;
  if (!wait_until([&] { return (box = find_box(process_id)) != nullptr; }, kReaction)) return {};
  MessageBoxView view;
  view.box = box;
  view.title = caption(box);
  view.text = window_text(GetDlgItem(box, kTextControl));
  view.buttons = count_buttons(box);
  HWND icon = GetDlgItem(box, kIconControl);
  view.icon = icon != nullptr && IsWindowVisible(icon);
  return view;
}

bool close_message_box(HWND box) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  return wait_until([box] { return !IsWindow(box); }, kReaction);
}

}  // namespace wine_test
