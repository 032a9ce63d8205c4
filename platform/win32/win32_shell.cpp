// The shell's folder picker and file opener, and the ANSI code page.
#include <shlobj.h>

#include "platform/win32/win32_platform.h"

namespace kestrafil {

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
  return to_native(SHBrowseForFolderA(&browse));
}

bool Win32Platform::path_from_item_list(NativeHandle item_list, char* buffer) {
  return SHGetPathFromIDListA(from_native<PCIDLIST_ABSOLUTE>(item_list), buffer) != FALSE;
}

NativeHandle Win32Platform::shell_allocator() {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator))) return 0;
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
  ShellExecuteA(from_native<HWND>(owner), verb, file, parameters, directory, show);
}

bool Win32Platform::is_lead_byte(unsigned char byte) const {
  return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace kestrafil
