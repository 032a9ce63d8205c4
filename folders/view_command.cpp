#include "folders/view_command.h"

namespace kestrafil {

// Opens the save folder as the box names it now, in the shell's own window. Whatever the shell
// makes of an empty or missing folder is its own affair; the result is not looked at.
void view_command(MainWindow& window) {
  const auto folder = window.read_text(Control::保存路径框);
  auto& platform = window.platform();
  // The shell owns the messages it shows (a folder that does not exist, a drive without a disk)
  // by the window given here. An open, empty Internet Explorer window bears exactly this title,
  // and on the systems the program was first written for, the shell opened folders in that
  // very window; its messages then come up in front of it. Without one they have no owner.
  const auto owner = platform.find_top_level_window("Microsoft Internet Explorer");
  // The file name is given even when the box is empty; only the parameters and the directory
  // are left out.
  platform.shell_execute(owner, "open", folder, std::nullopt, std::nullopt, ShowCommand::normal);
}

}  // namespace kestrafil
