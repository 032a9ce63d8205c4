#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

struct Search {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner_process = 0;
  GetWindowThreadProcessId(window, &owner_process);
  if (owner_process == search->process_id) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> top_level_windows(DWORD process_id) {
  Search search{process_id, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> visible_top_level_windows(DWORD process_id) {
  auto windows = top_level_windows(process_id);
  std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
  return windows;
}

HWND find_top_level(DWORD process_id, const std::string& window_class, const std::string& title,
                    bool owned) {
  for (HWND window : top_level_windows(process_id)) {
    if (!IsWindowVisible(window)) continue;
    if ((GetWindow(window, GW_OWNER) != nullptr) != owned) continue;
    if (!window_class.empty() && class_name(window) != window_class) continue;
    if (caption(window) == title) return window;
  }
  return nullptr;
}

std::string class_name(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string caption(HWND window) {
  char text[1024] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string window_text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length)) {
    return "<no answer>";
  }
  // The length in bytes may be overstated for double-byte text; the copy says what it gave.
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    return "<no answer>";
  }
  text.resize(copied);
  return text;
}

RECT rect_in_parent(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<int> child_ids_top_down(HWND parent) {
  std::vector<int> ids;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ids.push_back(GetDlgCtrlID(child));
  }
  return ids;
}

}  // namespace wine_test
