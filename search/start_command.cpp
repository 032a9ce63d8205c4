#include <array>
#include <optional>

#include "app/app.h"
#include "app/commands.h"
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

class RunningStart {
 public:
  explicit RunningStart(App& app) : app_(app) { app_.set_start_command_running(true); }
  ~RunningStart() { app_.set_start_command_running(false); }
  RunningStart(const RunningStart&) = delete;
  RunningStart& operator=(const RunningStart&) = delete;

 private:
  App& app_;
};

const FolderBox* first_folder_rewritten_by_loop(App& app) {
  for (const auto& box : kFolderBoxes) {
    if (rewritten_by_loop(app.read_text(box.control))) return &box;
  }
  return nullptr;
}

JobFailure write_failure(TextView file, SystemError error) {
  return {JobFailure::Step::write, Text(file), error};
}

// Before the tests, so file.txt always holds what the box holds. The list's copy ends here;
// the emptiness test below only asks for the box's length. A list whose folder cannot be had is
// not written at all: without it the path would name file.txt in the drive's root.
std::optional<JobFailure> save_name_list(App& app) {
  auto& platform = app.platform();
  const Text names = app.read_text(Control::编辑框1);
  const Text directory = platform.current_directory();
  if (directory.empty()) return write_failure(kNameListFile, platform.last_error());
  const Text path = name_list_path(directory);
  const auto error = write_file(platform, path, names);
  if (error != SystemError::none) return write_failure(path, error);
  return std::nullopt;
}

const RequiredBox* first_empty_box(App& app) {
  for (const auto& box : kRequiredBoxes) {
    if (app.text_empty(box.control)) return &box;
  }
  return nullptr;
}

std::optional<JobFailure> save_script(App& app) {
  auto& platform = app.platform();
  const Text temporary = temporary_directory(platform);
  if (temporary.empty()) return write_failure(kScriptFile, platform.last_error());
  const Text directory = platform.current_directory();
  if (directory.empty()) return write_failure(kScriptFile, platform.last_error());
  const Text search_folder = app.read_text(Control::搜索路径框);
  const Text save_folder = app.read_text(Control::保存路径框);
  const Text body = app.read_text(Control::批处理框);
  const Text script = compose_script({directory, search_folder, save_folder, body}, platform);
  const Text path = script_path(temporary);
  const auto error = write_file(platform, path, script);
  if (error != SystemError::none) return write_failure(path, error);
  return std::nullopt;
}

std::optional<JobFailure> start_script(App& app, JobLock& lock) {
  auto& platform = app.platform();
  const Text temporary = temporary_directory(platform);
  if (temporary.empty()) return JobFailure{JobFailure::Step::start, {}, platform.last_error()};
  const auto error = start_job(platform, lock, script_path(temporary));
  if (error != SystemError::none) return JobFailure{JobFailure::Step::start, {}, error};
  return std::nullopt;
}

// The lock is held while the files are written and through the wait: a running job may still
// be about to read them.
std::optional<JobFailure> run_job(App& app, JobLock& lock, std::optional<JobFailure> list) {
  if (list) return list;
  if (auto script = save_script(app)) return script;
  event_serving_wait(app, kWaitBeforeStartMs);
  return start_script(app, lock);
}

}  // namespace

void start_command(App& app) {
  // Only the wait below can run a command inside this one; a second job there would be
  // started, and then its script started once more by this command.
  if (app.start_command_running()) return;
  const RunningStart running(app);
  auto& platform = app.platform();

  JobLock lock(platform);
  if (lock.state() == JobLock::State::busy) {
    app.show_message(kJobRunning);
    return;
  }
  if (lock.state() == JobLock::State::failed) {
    app.show_message(failure_message({JobFailure::Step::start, {}, lock.error()}, platform));
    return;
  }
  if (const auto* box = first_folder_rewritten_by_loop(app)) {
    app.show_message(box->rewritten_message);
    return;
  }

  auto list_failure = save_name_list(app);
  if (const auto* box = first_empty_box(app)) {
    app.show_message(box->message);
    return;
  }

  const auto failure = run_job(app, lock, std::move(list_failure));
  app.set_disabled(Control::按钮4, false);
  if (failure) app.show_message(failure_message(*failure, platform));
}

}  // namespace kestrafil
