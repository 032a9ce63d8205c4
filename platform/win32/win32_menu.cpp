#include "platform/win32/win32_menu.h"

#include "platform/text.h"

namespace kestrafil {
namespace {

bool append_item(HMENU menu, const MenuRow& row, HMENU popup) {
  Text text(row.text);
  MENUITEMINFOA item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_ID | MIIM_STRING | (popup != nullptr ? MIIM_SUBMENU : 0u);
  item.wID = static_cast<UINT>(row.command_id);
  item.hSubMenu = popup;
  item.dwTypeData = text.data();
  return InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item) != FALSE;
}

}  // namespace

ScopedMenu build_menu_bar(std::span<const MenuRow> rows) {
  ScopedMenu bar(CreateMenu());
  if (!bar) return {};
  HMENU popup = nullptr;  // owned by the bar once inserted
  for (const auto& row : rows) {
    if (!row.header) {
      if (popup == nullptr || !append_item(popup, row, nullptr)) return {};
      continue;
    }
    ScopedMenu new_popup(CreatePopupMenu());
    if (!new_popup || !append_item(bar.get(), row, new_popup.get())) return {};
    popup = new_popup.release();
  }
  return bar;
}

}  // namespace kestrafil
