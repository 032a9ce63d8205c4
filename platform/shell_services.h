// The shell's folder picker and file opener.
#pragma once

#include "platform/native.h"
#include "platform/text.h"

namespace kestrafil {

class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // SHBrowseForFolderA without root or callback; gives the item list or 0.
  virtual NativeHandle browse_for_folder(NativeHandle owner, const char* title, unsigned flags) = 0;
  // SHGetPathFromIDListA into a buffer of at least 260 bytes.
  virtual bool path_from_item_list(NativeHandle item_list, char* buffer) = 0;
  // SHGetMalloc; 0 when it fails.
  virtual NativeHandle shell_allocator() = 0;
  virtual void allocator_free(NativeHandle allocator, NativeHandle block) = 0;
  virtual void allocator_release(NativeHandle allocator) = 0;

  virtual void shell_execute(NativeHandle owner, const char* verb, const char* file,
                             const char* parameters, const char* directory, int show) = 0;
};

}  // namespace kestrafil
