// The shell's folder picker and file opener, and the ANSI code page.
#include <shlobj.h>

#include <cstring>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

static_assert(static_cast<UINT>(BrowseFlag::edit_box) == BIF_EDITBOX);
static_assert(static_cast<int>(ShowCommand::normal) == SW_SHOWNORMAL);

// shell32 is loaded when a command first needs it, not imported: at start-up it and what it
// pulls in (shlwapi, shcore) cost a megabyte of working set under Wine, for a window that
// may never pick or open a folder. It stays loaded until the process ends, as an import
// would, since a closed picker may leave the shell's own threads running in it. shell32 is a
// known DLL, so Windows loads it from the system folder only, never from the current one.
HMODULE shell_library() {
  static const HMODULE library = LoadLibraryA("shell32.dll");
  return library;
}

// The shell32 function of this name, typed as declared; null when it cannot be had.
template <class Function>
Function* shell_function(const char* name) {
  HMODULE library = shell_library();
  if (library == nullptr) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

ItemListRef Win32Platform::browse_for_folder(WindowRef owner, TextView title, BrowseFlag flags) {
  const Text shown_title(title);
  char display_name[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = from_ref<HWND>(owner);
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = display_name;
  browse.lpszTitle = shown_title.c_str();
  browse.ulFlags = static_cast<UINT>(flags);
  browse.lpfn = nullptr;
  browse.lParam = 0;
  auto* browse_for_folder = shell_function<decltype(SHBrowseForFolderA)>("SHBrowseForFolderA");
  if (browse_for_folder == nullptr) return {};
  return to_ref<ItemListRef>(browse_for_folder(&browse));
}

std::optional<Text> Win32Platform::path_from_item_list(ItemListRef item_list) {
  auto* path_from_id_list = shell_function<decltype(SHGetPathFromIDListA)>("SHGetPathFromIDListA");
  if (path_from_id_list == nullptr) return std::nullopt;
  // Cleared first, so that a failed lookup cannot leave anything behind.
  char buffer[MAX_PATH] = {};
  if (path_from_id_list(from_ref<PCIDLIST_ABSOLUTE>(item_list), buffer) == FALSE) {
    return std::nullopt;
  }
  return Text(buffer, strnlen(buffer, MAX_PATH));
}

bool Win32Platform::free_item_list(ItemListRef item_list) {
  auto* get_malloc = shell_function<decltype(SHGetMalloc)>("SHGetMalloc");
  IMalloc* allocator = nullptr;
  if (get_malloc == nullptr || FAILED(get_malloc(&allocator))) return false;
  allocator->Free(from_ref<void*>(item_list));
  allocator->Release();
  return true;
}

// ShellExecuteA reports success with a value above 32.
bool Win32Platform::shell_execute(WindowRef owner, TextView verb, TextView file,
                                  std::optional<TextView> parameters,
                                  std::optional<TextView> directory, ShowCommand show) {
  auto* execute = shell_function<decltype(ShellExecuteA)>("ShellExecuteA");
  if (execute == nullptr) return false;
  const Text verb_text(verb);
  const Text file_text(file);
  const std::optional<Text> parameters_text(parameters);
  const std::optional<Text> directory_text(directory);
  const auto text_or_null = [](const std::optional<Text>& text) {
    return text ? text->c_str() : nullptr;
  };
  const HINSTANCE result =
      execute(from_ref<HWND>(owner), verb_text.c_str(), file_text.c_str(),
              text_or_null(parameters_text), text_or_null(directory_text), static_cast<int>(show));
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Platform::is_lead_byte(unsigned char byte) const {
  return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace kestrafil
