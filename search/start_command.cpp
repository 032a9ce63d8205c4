#include <array>

#include "app/app.h"
#include "app/commands.h"
#include "search/event_wait.h"
#include "search/job_files.h"
#include "search/run_program.h"
#include "search/script.h"

namespace kestrafil {
namespace {

// The script starts a second after it was written; the window keeps answering meanwhile.
constexpr int kWaitBeforeStartMs = 1000;

struct RequiredBox {
  Control control;
  TextView message;
};

// Tested in this order; the first empty box stops the command with its message.
constexpr std::array kRequiredBoxes{
    RequiredBox{Control::搜索路径框, "请选择搜索路径"},
    RequiredBox{Control::保存路径框, "请选择保存路径"},
    RequiredBox{Control::编辑框1, "您没有输入任何要搜索的文件名"},
};

class RunningStart {
 public:
  explicit RunningStart(App& app) : app_(app) { app_.set_start_command_running(true); }
  ~RunningStart() { app_.set_start_command_running(false); }
  RunningStart(const RunningStart&) = delete;
  RunningStart& operator=(const RunningStart&) = delete;

 private:
  App& app_;
};

// Before the tests, so file.txt always holds what the box holds. The list's copy ends here;
// the emptiness test below only asks for the box's length.
bool save_name_list(App& app) {
  const Text names = app.read_text(Control::编辑框1);
  return write_file(app.platform(), name_list_path(current_directory(app.platform())), names);
}

const RequiredBox* first_empty_box(App& app) {
  for (const auto& box : kRequiredBoxes) {
    if (app.text_empty(box.control)) return &box;
  }
  return nullptr;
}

Text compose_job_script(App& app) {
  const Text directory = current_directory(app.platform());
  const Text search_folder = app.read_text(Control::搜索路径框);
  const Text save_folder = app.read_text(Control::保存路径框);
  const Text body = app.read_text(Control::批处理框);
  return compose_script({directory, search_folder, save_folder, body}, app.platform());
}

}  // namespace

void start_command(App& app) {
  // Only the wait below can run a command inside this one; a second job there would be
  // started, and then its script started once more by this command.
  if (app.start_command_running()) return;
  const RunningStart running(app);
  auto& platform = app.platform();

  const bool list_saved = save_name_list(app);
  if (const auto* box = first_empty_box(app)) {
    app.show_message(box->message);
    return;
  }

  const Text script_file = script_path(temporary_directory(platform));
  const Text script = compose_job_script(app);
  const bool script_saved = write_file(platform, script_file, script);

  // A job with a file missing or cut short would run an earlier job's list or script, or a
  // script that stops halfway, so it is not started; like a start that fails, that shows
  // nothing and still enables 按钮4.
  if (list_saved && script_saved) {
    event_serving_wait(app, kWaitBeforeStartMs);
    run_program(platform, command_line_for(script_path(temporary_directory(platform))));
  }
  app.set_disabled(Control::按钮4, false);
}

}  // namespace kestrafil
