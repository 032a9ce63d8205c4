#include "app/app.h"
#include "app/commands.h"

namespace kestrafil {
namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

}  // namespace

// Opens the save folder as the box names it now, in the shell's own window. Whatever the shell
// makes of an empty or missing folder is its own affair; the result is not looked at.
void view_command(App& app) {
  const auto folder = app.read_text(Control::保存路径框);
  auto& platform = app.platform();
  const auto owner = platform.find_top_level_window("Microsoft Internet Explorer");
  // The file name is a required string even when the box is empty; only the parameters and the
  // directory may be left out.
  platform.shell_execute(owner, "open", folder.c_str(), nullptr, nullptr, kShowNormal);
}

}  // namespace kestrafil
