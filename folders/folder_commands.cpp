#include "folders/folder_commands.h"

#include <utility>

#include "folders/folder_picker.h"

namespace kestrafil {
namespace {

struct FolderBox {
  Control box;
  TextView picker_title;
  // The search job puts each file name straight behind the search folder.
  bool ends_in_backslash;
};

constexpr FolderBox kSearchFolder{Control::搜索路径框, "搜索路径", true};
constexpr FolderBox kSaveFolder{Control::保存路径框, "保存路径", false};

// A drive root already ends in a backslash and keeps its single one. The last character is
// read in the code page: the second byte of a double-byte character may be 0x5C, and such a
// name still needs its backslash.
Text with_backslash(Text folder, const CodePage& code_page) {
  if (last_character(folder, code_page) != "\\") folder += '\\';
  return folder;
}

void fill_from_picker(MainWindow& window, const FolderBox& target) {
  auto folder = pick_folder(window.platform(), target.picker_title);
  // A cancel, or an item that is no folder on disk, keeps what the box held.
  if (folder.empty()) return;
  if (target.ends_in_backslash) folder = with_backslash(std::move(folder), window.platform());
  window.write_text(target.box, folder);
}

}  // namespace

void search_folder_command(MainWindow& window) {
  fill_from_picker(window, kSearchFolder);
}

void save_folder_command(MainWindow& window) {
  fill_from_picker(window, kSaveFolder);
}

}  // namespace kestrafil
