#include "tests/wine/support/folder_picker.h"

#include <vector>

#include "tests/wine/support/keys.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

// The picker's controls, as the shell numbers them.
constexpr int kTreeId = 0x3741;
constexpr int kTitleId = 0x3742;

constexpr UINT kSendTimeoutMs = 5000;
constexpr SIZE_T kRemoteBytes = 4096;  // one TVITEMA and the item's text behind it

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

HTREEITEM next_item(HWND tree, WPARAM relation, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      send(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::vector<HTREEITEM> children(HWND tree, HTREEITEM parent) {
  // Opening an item is what makes the picker list the folders below it.
  send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
  std::vector<HTREEITEM> items;
  for (HTREEITEM child = next_item(tree, TVGN_CHILD, parent); child != nullptr;
       child = next_item(tree, TVGN_NEXT, child)) {
    items.push_back(child);
  }
  return items;
}

HWND find_picker(DWORD process_id) {
  for (HWND window : top_level_windows(process_id)) {
    if (!IsWindowVisible(window) || class_name(window) != "#32770") continue;
    HWND tree = GetDlgItem(window, kTreeId);
    if (tree != nullptr && class_name(tree) == WC_TREEVIEWA) return window;
  }
  return nullptr;
}

// The folders of a path below its drive root, split by character: the second byte of a
// double-byte character may be a backslash byte.
std::vector<std::string> folders_below_root(const std::string& path) {
  std::vector<std::string> folders;
  std::string folder;
  for (std::size_t i = 3; i < path.size(); ++i) {
    const char byte = path[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(byte)) && i + 1 < path.size()) {
      folder += byte;
      folder += path[++i];
    } else if (byte == '\\') {
      folders.push_back(std::move(folder));
      folder.clear();
    } else {
      folder += byte;
    }
  }
  if (!folder.empty()) folders.push_back(std::move(folder));
  return folders;
}

}  // namespace

std::unique_ptr<FolderPicker> FolderPicker::wait_for(DWORD process_id) {
  HWND dialog = nullptr;
  if (!wait_until([&] { return (dialog = find_picker(process_id)) != nullptr; })) return nullptr;
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
  if (process == nullptr) return nullptr;
  void* remote = VirtualAllocEx(process, nullptr, kRemoteBytes, MEM_COMMIT, PAGE_READWRITE);
  std::unique_ptr<FolderPicker> picker(new FolderPicker(dialog, process, remote));
  if (remote == nullptr) return nullptr;
  return picker;
}

FolderPicker::FolderPicker(HWND dialog, HANDLE process, void* remote)
    : dialog_(dialog), tree_(GetDlgItem(dialog, kTreeId)), process_(process), remote_(remote) {}

FolderPicker::~FolderPicker() {
  // The program may have ended already; its memory went with it.
  if (remote_ != nullptr) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  CloseHandle(process_);
}

std::string FolderPicker::title() const {
  return window_text(GetDlgItem(dialog_, kTitleId));
}

bool FolderPicker::select(const std::string& path) {
  if (path.size() < 3 || path.compare(1, 2, ":\\") != 0) return false;
  HTREEITEM item = drive_item(computer_item(), path[0]);
  for (const auto& folder : folders_below_root(path)) {
    if (item == nullptr) return false;
    item = child_named(item, folder);
  }
  return select_item(item);
}

bool FolderPicker::select_computer() {
  return select_item(computer_item());
}

bool FolderPicker::click(int button_id) {
  PostMessageA(GetDlgItem(dialog_, button_id), BM_CLICK, 0, 0);
  return wait_until_closed();
}

bool FolderPicker::press_key(WORD virtual_key) {
  if (!bring_to_foreground(dialog_)) return false;
  press(virtual_key);
  return wait_until_closed();
}

// The computer is one of the desktop's children. Its name differs from language to language,
// so it is known by the drives below it.
HTREEITEM FolderPicker::computer_item() {
  for (HTREEITEM top : children(tree_, next_item(tree_, TVGN_ROOT, nullptr))) {
    if (drive_item(top, 'C') != nullptr) return top;
  }
  return nullptr;
}

HTREEITEM FolderPicker::drive_item(HTREEITEM computer, char letter) {
  if (computer == nullptr) return nullptr;
  const std::string suffix = std::string("(") + letter + ":)";
  for (HTREEITEM item : children(tree_, computer)) {
    const auto text = item_text(item);
    if (text.size() >= suffix.size() &&
        lstrcmpiA(text.substr(text.size() - suffix.size()).c_str(), suffix.c_str()) == 0) {
      return item;
    }
  }
  return nullptr;
}

bool FolderPicker::select_item(HTREEITEM item) {
  if (item == nullptr) return false;
  send(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  send(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  return next_item(tree_, TVGN_CARET, nullptr) == item;
}

HTREEITEM FolderPicker::child_named(HTREEITEM parent, const std::string& name) {
  for (HTREEITEM item : children(tree_, parent)) {
    if (item_text(item) == name) return item;
  }
  return nullptr;
}

std::string FolderPicker::item_text(HTREEITEM item) {
  auto* remote_item = static_cast<char*>(remote_);
  char* remote_text = remote_item + sizeof(TVITEMA);
  TVITEMA request{};
  request.mask = TVIF_TEXT;
  request.hItem = item;
  request.pszText = remote_text;
  request.cchTextMax = MAX_PATH;
  if (!WriteProcessMemory(process_, remote_item, &request, sizeof request, nullptr)) return {};
  if (send(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_item)) == 0) return {};
  char text[MAX_PATH + 1] = {};
  if (!ReadProcessMemory(process_, remote_text, text, MAX_PATH, nullptr)) return {};
  return text;
}

bool FolderPicker::wait_until_closed() {
  return wait_until([this] { return !IsWindow(dialog_); }, kReaction);
}

}  // namespace wine_test
