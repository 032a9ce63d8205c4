#include "folders/view_command.h"

namespace kestrafil {

// Opens the save folder as the box names it now, in the shell's own window. Whatever the shell
// makes of an empty or missing folder is its own affair; the result is not looked at.
void view_command(MainWindow& window) {
  const auto folder = window.read_text(Control::保存路径框);
  auto& platform = window.platform();
  // The shell's own messages about the open (a folder that does not exist, a drive without a
  // disk) are owned by the window given here. On the Windows versions whose Explorer and
  // Internet Explorer were one program, a folder could open in an empty browser window, the one
  // titled exactly this; owned by it, the messages come up in front of the window the folder
  // appears in. Without such a window they have no owner. The title must match whole, so a
  // browser showing a page is never taken.
  const auto owner = platform.find_top_level_window("Microsoft Internet Explorer");
  // The file name is given even when the box is empty; only the parameters and the directory
  // are left out.
  platform.shell_execute(owner, "open", folder, std::nullopt, std::nullopt, ShowCommand::normal);
}

}  // namespace kestrafil
