// The shell's folder picker and file opener, and the ANSI code page.
#include <shlobj.h>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

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

NativeHandle Win32Platform::browse_for_folder(NativeHandle owner, const char* title,
                                              unsigned flags) {
  char display_name[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = from_native<HWND>(owner);
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = display_name;
  browse.lpszTitle = title;
  browse.ulFlags = flags;
  browse.lpfn = nullptr;
  browse.lParam = 0;
  auto* browse_for_folder = shell_function<decltype(SHBrowseForFolderA)>("SHBrowseForFolderA");
  if (browse_for_folder == nullptr) return 0;
  return to_native(browse_for_folder(&browse));
}

bool Win32Platform::path_from_item_list(NativeHandle item_list, char* buffer) {
  auto* path_from_id_list = shell_function<decltype(SHGetPathFromIDListA)>("SHGetPathFromIDListA");
  if (path_from_id_list == nullptr) return false;
  return path_from_id_list(from_native<PCIDLIST_ABSOLUTE>(item_list), buffer) != FALSE;
}

NativeHandle Win32Platform::shell_allocator() {
  auto* get_malloc = shell_function<decltype(SHGetMalloc)>("SHGetMalloc");
  IMalloc* allocator = nullptr;
  if (get_malloc == nullptr || FAILED(get_malloc(&allocator))) return 0;
  return to_native(allocator);
}

void Win32Platform::allocator_free(NativeHandle allocator, NativeHandle block) {
  from_native<IMalloc*>(allocator)->Free(from_native<void*>(block));
}

void Win32Platform::allocator_release(NativeHandle allocator) {
  from_native<IMalloc*>(allocator)->Release();
}

void Win32Platform::shell_execute(NativeHandle owner, const char* verb, const char* file,
                                  const char* parameters, const char* directory, int show) {
  auto* execute = shell_function<decltype(ShellExecuteA)>("ShellExecuteA");
  if (execute == nullptr) return;
  execute(from_native<HWND>(owner), verb, file, parameters, directory, show);
}

bool Win32Platform::is_lead_byte(unsigned char byte) const {
  return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace kestrafil
