// The shell's folder picker and file opener.
#pragma once

#include <optional>

#include "platform/flags.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace kestrafil {

// SHBrowseForFolderA's flags that the program uses, with the system's values.
enum class BrowseFlag : unsigned {
  edit_box = 0x0010,  // the user may type a name
};
template <>
struct IsFlags<BrowseFlag> : std::true_type {};

// ShowWindow's commands that the program hands to the shell, with the system's values.
enum class ShowCommand : int {
  normal = 1,
};

class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // SHBrowseForFolderA without root or callback; gives the item list, or none.
  virtual ItemListRef browse_for_folder(WindowRef owner, TextView title, BrowseFlag flags) = 0;
  // The item's file-system path; nothing when it has none.
  virtual std::optional<Text> path_from_item_list(ItemListRef item_list) = 0;
  // Gives the list's memory back to the shell's allocator; false when the allocator cannot be
  // had, and the list then stays.
  virtual bool free_item_list(ItemListRef item_list) = 0;

  // ShellExecuteA; false when the shell reports that it could not.
  virtual bool shell_execute(WindowRef owner, TextView verb, TextView file,
                             std::optional<TextView> parameters, std::optional<TextView> directory,
                             ShowCommand show) = 0;
};

}  // namespace kestrafil
