#include "folders/folder_picker.h"

#include <array>
#include <cstddef>
#include <vector>

namespace kestrafil {
namespace {

// BIF_EDITBOX alone: the user may type a name, and items without a file-system path can be
// chosen; they give no path, which the caller sees as a cancel.
constexpr unsigned kBrowseEditBox = 0x0010;
constexpr std::size_t kMaxPath = 260;

// While the picker is up, none of the program's windows takes input, so no second command can
// start. When it closes, each window gets its own earlier state back (one that was disabled
// stays so), and the foreground and the activation return to where they were.
class ModalScope {
 public:
  ModalScope(WindowSystem& windows, NativeHandle active)
      : windows_(windows), active_(active), foreground_(windows.foreground_window()) {
    const auto top_levels = windows_.top_level_windows();
    recorded_.reserve(top_levels.size());  // no allocation once windows are being disabled
    for (const auto window : top_levels) {
      recorded_.push_back({window, windows_.window_enabled(window)});
      windows_.enable_window(window, false);
    }
  }

  ~ModalScope() {
    for (const auto& record : recorded_) windows_.enable_window(record.window, record.enabled);
    if (foreground_ != 0 && windows_.is_window(foreground_)) {
      windows_.set_foreground_window(foreground_);
    }
    if (active_ != 0 && windows_.is_window(active_)) windows_.set_active_window(active_);
  }

  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  struct Record {
    NativeHandle window;
    bool enabled;
  };

  WindowSystem& windows_;
  NativeHandle active_;
  NativeHandle foreground_;
  std::vector<Record> recorded_;
};

// The item list that the picker gives back; the shell's allocator owns its memory. Without the
// allocator it cannot be freed, and there is nobody to tell.
class ItemList {
 public:
  ItemList(ShellServices& shell, NativeHandle list) : shell_(shell), list_(list) {}

  ~ItemList() {
    if (list_ == 0) return;
    const auto allocator = shell_.shell_allocator();
    if (allocator == 0) return;
    shell_.allocator_free(allocator, list_);
    shell_.allocator_release(allocator);
  }

  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  [[nodiscard]] NativeHandle get() const { return list_; }

 private:
  ShellServices& shell_;
  NativeHandle list_;
};

NativeHandle browse_modally(Platform& platform, NativeHandle owner, const char* title) {
  const ModalScope modal(platform, owner);
  return platform.browse_for_folder(owner, title, kBrowseEditBox);
}

}  // namespace

Text pick_folder(Platform& platform, TextView title) {
  const Text caption(title);
  const auto active = platform.active_window();
  const NativeHandle owner = platform.is_window(active) ? active : 0;

  const ItemList list(platform, browse_modally(platform, owner, caption.c_str()));
  if (list.get() == 0) return {};

  // Cleared first, so that a failed lookup cannot leave the picker's display name behind.
  std::array<char, kMaxPath> buffer{};
  if (!platform.path_from_item_list(list.get(), buffer.data())) return {};
  const TextView path(buffer.data(), buffer.size());
  return Text(path.substr(0, path.find('\0')));
}

}  // namespace kestrafil
