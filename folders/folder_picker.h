// The shell's folder picker, modal for the whole program.
#pragma once

#include "platform/platform.h"
#include "platform/text.h"

namespace kestrafil {

// Lets the user choose a folder, with `title` shown above the folder tree. Gives the folder's
// file-system path, or the empty text when the user cancels or chooses an item that has no
// such path.
Text pick_folder(Platform& platform, TextView title);

}  // namespace kestrafil
