#include "search/start_command.h"

#include <array>
#include <optional>

#include "search/event_wait.h"
#include "search/job_failure.h"
#include "search/job_files.h"
#include "search/job_lock.h"
#include "search/job_start.h"
#include "search/script.h"

namespace kestrafil {
namespace {

// The script starts a second after it was written; the window keeps answering meanwhile.
constexpr int kWaitBeforeStartMs = 1000;

constexpr TextView kJobRunning =
    "上一次的搜索还没有结束，请等它结束（或关闭它的窗口）后再点击开始。";

// The names that stand for the job's files while their folder cannot be had.
constexpr TextView kNameListFile = "file.txt";
constexpr TextView kScriptFile = "XXXX.BAT";

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

struct FolderBox {
  Control control;
  TextView rewritten_message;
};

constexpr std::array kFolderBoxes{
    FolderBox{Control::搜索路径框,
              "搜索路径中含有“%a”或“%~”，搜索时会被换成找到的文件名。请换一个文件夹。"},
    FolderBox{Control::保存路径框,
              "保存路径中含有“%a”或“%~”，搜索时会被换成找到的文件名。请换一个文件夹。"},
};

// Set while a Start command runs. The program has one thread and one main window, so one flag
// serves the whole process.
bool& start_command_running() {
  static bool running = false;
  return running;
}

class RunningStart {
 public:
  RunningStart() { start_command_running() = true; }
  ~RunningStart() { start_command_running() = false; }
  RunningStart(const RunningStart&) = delete;
  RunningStart& operator=(const RunningStart&) = delete;
};

const FolderBox* first_folder_rewritten_by_loop(MainWindow& window) {
  for (const auto& box : kFolderBoxes) {
    if (rewritten_by_loop(window.read_text(box.control))) return &box;
  }
  return nullptr;
}

JobFailure write_failure(TextView file, SystemError error) {
  return {JobFailure::Step::write, Text(file), error};
}

// Before the tests, so file.txt always holds what the box holds. The list's copy ends here;
// the emptiness test below only asks for the box's length. A list whose folder cannot be had is
// not written at all: without it the path would name file.txt in the drive's root.
std::optional<JobFailure> save_name_list(MainWindow& window) {
  auto& platform = window.platform();
  const Text names = window.read_text(Control::编辑框1);
  const Text directory = platform.current_directory();
  if (directory.empty()) return write_failure(kNameListFile, platform.last_error());
  const Text path = name_list_path(directory);
  const auto error = write_file(platform, path, names);
  if (error != SystemError::none) return write_failure(path, error);
  return std::nullopt;
}

const RequiredBox* first_empty_box(MainWindow& window) {
  for (const auto& box : kRequiredBoxes) {
    if (window.text_empty(box.control)) return &box;
  }
  return nullptr;
}

std::optional<JobFailure> save_script(MainWindow& window) {
  auto& platform = window.platform();
  const Text temporary = temporary_directory(platform);
  if (temporary.empty()) return write_failure(kScriptFile, platform.last_error());
  const Text directory = platform.current_directory();
  if (directory.empty()) return write_failure(kScriptFile, platform.last_error());
  const Text search_folder = window.read_text(Control::搜索路径框);
  const Text save_folder = window.read_text(Control::保存路径框);
  const Text body = window.read_text(Control::批处理框);
  const Text script = compose_script({directory, search_folder, save_folder, body}, platform);
  const Text path = script_path(temporary);
  const auto error = write_file(platform, path, script);
  if (error != SystemError::none) return write_failure(path, error);
  return std::nullopt;
}

std::optional<JobFailure> start_script(MainWindow& window, JobLock& lock) {
  auto& platform = window.platform();
  // The temporary folder is asked for afresh, as save_script asks for the current directory
  // afresh after the list was saved there: each step takes the folder it uses from Windows
  // instead of from an earlier step. Both give the same folder, since nothing in the program
  // changes its environment.
  const Text temporary = temporary_directory(platform);
  if (temporary.empty()) return JobFailure{JobFailure::Step::start, {}, platform.last_error()};
  const auto error = start_job(platform, lock, script_path(temporary));
  if (error != SystemError::none) return JobFailure{JobFailure::Step::start, {}, error};
  return std::nullopt;
}

// The lock is held while the files are written and through the wait: a running job may still
// be about to read them.
std::optional<JobFailure> run_job(MainWindow& window, JobLock& lock,
                                  std::optional<JobFailure> list) {
  if (list) return list;
  if (auto script = save_script(window)) return script;
  event_serving_wait(window, kWaitBeforeStartMs);
  return start_script(window, lock);
}

}  // namespace

void start_command(MainWindow& window) {
  // Only the wait below can run a command inside this one; a second job there would be
  // started, and then its script started once more by this command.
  if (start_command_running()) return;
  const RunningStart running;
  auto& platform = window.platform();

  JobLock lock(platform);
  if (lock.state() == JobLock::State::busy) {
    window.show_message(kJobRunning);
    return;
  }
  if (lock.state() == JobLock::State::failed) {
    window.show_message(failure_message({JobFailure::Step::start, {}, lock.error()}, platform));
    return;
  }
  if (const auto* box = first_folder_rewritten_by_loop(window)) {
    window.show_message(box->rewritten_message);
    return;
  }

  auto list_failure = save_name_list(window);
  if (const auto* box = first_empty_box(window)) {
    window.show_message(box->message);
    return;
  }

  const auto failure = run_job(window, lock, std::move(list_failure));
  window.set_disabled(Control::按钮4, false);
  if (failure) window.show_message(failure_message(*failure, platform));
}

}  // namespace kestrafil
