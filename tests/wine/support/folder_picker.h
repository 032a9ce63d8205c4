// The shell's folder picker of the program under test, driven from outside: a top-level
// `#32770` dialog of the process that holds a folder tree.
//
// Wine 8 shows the edit field that BIF_EDITBOX asks for only in the picker's new dialog style,
// so a folder is chosen the way a user with a mouse chooses it: in the tree. The tree's items
// are walked and selected by their handles; their texts live in the program's memory and are
// read through a buffer placed there.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <memory>
#include <string>

namespace wine_test {

class FolderPicker {
 public:
  // The process's folder picker once one is up; null when none comes within the timeout.
  static std::unique_ptr<FolderPicker> wait_for(DWORD process_id);

  ~FolderPicker();
  FolderPicker(const FolderPicker&) = delete;
  FolderPicker& operator=(const FolderPicker&) = delete;

  HWND dialog() const { return dialog_; }

  // The text that the program gave the picker, shown above the tree.
  std::string title() const;

  // Selects the tree item of a drive root ("C:\") or of a folder below one ("C:\a\b"),
  // opening the items on the way. False when the tree has no such item.
  bool select(const std::string& path);

  // Selects the item that lists the drives: a place in the shell without a file-system path.
  bool select_computer();

  // Closes the picker by a click on its OK or Cancel button, or by a key press (Enter, Esc),
  // and waits until it is gone.
  bool click(int button_id);
  bool press_key(WORD virtual_key);

 private:
  FolderPicker(HWND dialog, HANDLE process, void* remote);

  HTREEITEM computer_item();
  HTREEITEM drive_item(HTREEITEM computer, char letter);
  bool select_item(HTREEITEM item);
  HTREEITEM child_named(HTREEITEM parent, const std::string& name);
  std::string item_text(HTREEITEM item);
  bool wait_until_closed();

  HWND dialog_;
  HWND tree_;
  HANDLE process_;  // opened for the remote buffer, closed with it
  void* remote_;    // a page in the program's memory
};

}  // namespace wine_test
