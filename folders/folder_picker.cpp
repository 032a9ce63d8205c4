#include "folders/folder_picker.h"

#include <vector>

#include "window/activation_scope.h"

namespace kestrafil {
namespace {

// While the picker is up, none of the program's windows takes input, so no second command can
// start. When it closes, each window gets its own earlier state back (one that was disabled
// stays so), and then the foreground and the activation return to where they were.
class ModalScope {
 public:
  explicit ModalScope(WindowSystem& windows) : windows_(windows), activation_(windows) {
    const auto top_levels = windows_.top_level_windows();
    recorded_.reserve(top_levels.size());  // no allocation once windows are being disabled
    for (const auto window : top_levels) {
      recorded_.push_back({window, windows_.window_enabled(window)});
      windows_.enable_window(window, false);
    }
  }

  ~ModalScope() {
    for (const auto& record : recorded_) windows_.enable_window(record.window, record.enabled);
  }

  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  [[nodiscard]] WindowRef active() const { return activation_.active(); }

 private:
  struct Record {
    WindowRef window;
    bool enabled;
  };

  WindowSystem& windows_;
  ActivationScope activation_;  // restores after the windows are enabled again
  std::vector<Record> recorded_;
};

// The item list that the picker gives back. When the shell's allocator cannot be had it cannot
// be freed, and there is nobody to tell.
class ItemList {
 public:
  ItemList(ShellServices& shell, ItemListRef list) : shell_(shell), list_(list) {}
  ~ItemList() {
    if (!is_none(list_)) shell_.free_item_list(list_);
  }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  [[nodiscard]] ItemListRef get() const { return list_; }

 private:
  ShellServices& shell_;
  ItemListRef list_;
};

// BIF_EDITBOX alone: the user may type a name, and items without a file-system path can be
// chosen; they give no path, which the caller sees as a cancel.
ItemListRef browse_modally(Platform& platform, TextView title) {
  const ModalScope modal(platform);
  const WindowRef owner = platform.is_window(modal.active()) ? modal.active() : WindowRef{};
  return platform.browse_for_folder(owner, title, BrowseFlag::edit_box);
}

}  // namespace

Text pick_folder(Platform& platform, TextView title) {
  const ItemList list(platform, browse_modally(platform, title));
  if (is_none(list.get())) return {};
  return platform.path_from_item_list(list.get()).value_or(Text{});
}

}  // namespace kestrafil
