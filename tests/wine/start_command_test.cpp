// The Start command of the real program: the name list and the script it writes, the script it
// starts a second later, the window answering meanwhile, and the messages that stop it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/wine/support/box_text.h"
#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/job_files.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/message_box.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/script_watch.h"
#include "window/script_body.h"

namespace wine_test {
namespace {

constexpr ULONGLONG kScriptDelayMs = 1000;
// GetTickCount moves in steps of up to 16 ms on Windows.
constexpr ULONGLONG kTickStepMs = 16;
// Starting a console program under a busy Wine may take a while, but not another second.
constexpr ULONGLONG kStartLatencyMs = 1500;

// Stand-ins for what an earlier job left: longer than anything the tests write, so a file that
// is not replaced whole keeps a tail of them.
const std::string kStale(1024, 'x');

// The header names file.txt beside the program and gives both folders a final backslash.
std::string script_for(const std::string& search_folder, const std::string& save_folder) {
  return "@echo off\r\nset \"jpgname=" + program_folder() +
         "/file.txt\"\r\nset \"jpgpath=" + search_folder + "\"\r\nset \"Udrvpath=" + save_folder +
         "\"\r\n" + std::string(kestrafil::kScriptBody);
}

// Returns once the program has handled everything sent to it before.
bool settled(const KestrafilProcess& app) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(app.main_window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kReaction,
                             &answer) != 0;
}

bool enabled(HWND control) {
  return IsWindowEnabled(control) != FALSE;
}

struct EmptyBoxRow {
  const char* name;
  std::string_view search_folder;
  std::string_view save_folder;
  std::string_view names;
  std::string_view message;
};

// Filled in the order a user who follows the messages fills the boxes; the last row has the
// name list filled behind an empty search folder.
constexpr EmptyBoxRow kEmptyBoxes[] = {
    {"all three empty", "", "", "", "请选择搜索路径"},
    {"only the search folder filled", "C:\\photos\\", "", "", "请选择保存路径"},
    {"only the name list empty", "C:\\photos\\", "C:\\saved\\", "", "您没有输入任何要搜索的文件名"},
    {"search folder empty behind the others", "", "C:\\saved\\", "a.jpg\r\nb c.jpg",
     "请选择搜索路径"},
};

TEST(StartCommand, AnEmptyBoxStopsItWithItsMessageAfterTheNameListIsSaved) {
  const ScratchFile name_list(name_list_file());
  const ScratchFile script(script_file());
  KestrafilProcess app;
  for (const auto& row : kEmptyBoxes) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(write_file(name_list.path(), kStale));
    ASSERT_TRUE(set_text(app.control(k搜索路径框), row.search_folder));
    ASSERT_TRUE(set_text(app.control(k保存路径框), row.save_folder));
    ASSERT_TRUE(set_text(app.control(k编辑框1), row.names));

    // Posted: the command stays inside its message box until the box is closed.
    PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
    const auto box = wait_for_message_box(app.process_id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, "信息：");
    EXPECT_EQ(box->text, row.message);
    EXPECT_EQ(read_file(name_list.path()), row.names) << "saved before the boxes are tested";
    ASSERT_TRUE(close_message_box(box->box));
    // A command that went on past its message would write the script before it next looks
    // at its messages.
    ASSERT_TRUE(settled(app));
    EXPECT_FALSE(file_exists(script.path()));
    EXPECT_FALSE(enabled(app.control(k按钮4)));
  }
}

TEST(StartCommand, WritesBothFilesWholeAndStartsTheScriptASecondLater) {
  const ScratchFile name_list(name_list_file());
  const ScratchFile script(script_file());
  const ScratchFile results(result_list_file());
  ASSERT_TRUE(write_file(name_list.path(), kStale));
  ASSERT_TRUE(write_file(script.path(), kStale));
  // Neither folder exists, so the script finds and copies nothing.
  const std::string search_folder = "C:\\no such folder\\search here";
  const std::string save_folder = "C:\\no such folder\\save here\\";
  const std::string names = "a.txt\r\nb c.txt\r\n照片 1.jpg";

  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(set_text(app.control(k搜索路径框), search_folder));
  ASSERT_TRUE(set_text(app.control(k保存路径框), save_folder));
  ASSERT_TRUE(set_text(app.control(k编辑框1), names));
  ASSERT_FALSE(enabled(app.control(k按钮4)));

  const ULONGLONG clicked_at = GetTickCount64();
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  const auto started = scripts.wait_for_start(kPatience);
  ASSERT_TRUE(started.has_value()) << "no command interpreter ran the script";
  const ULONGLONG delay = started->seen_at - clicked_at;
  EXPECT_GE(delay, kScriptDelayMs - kTickStepMs);
  EXPECT_LT(delay, kScriptDelayMs + kStartLatencyMs);
  EXPECT_TRUE(wait_until([&] { return enabled(app.control(k按钮4)); }, kReaction));
  ASSERT_TRUE(scripts.wait_for_end(kPatience));

  EXPECT_EQ(read_file(name_list.path()), names);
  EXPECT_EQ(read_file(script.path()), script_for(search_folder + "\\", save_folder));
  EXPECT_EQ(scripts.starts().size(), 1u);
}

// A temporary folder may have a space in its path, as the ones below "Documents and Settings"
// had. The program beside it named like the path's first part stands for what Windows would
// start in place of the script if the script's path went unquoted.
TEST(StartCommand, StartsTheScriptFromATemporaryFolderWithASpace) {
  const ScratchFolder job(user_profile() + "\\Kestrafil Job");
  const std::string temporary = job / "Temp Folder";
  ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA(KESTRAFIL_EXE, (job / "Temp.exe").c_str(), FALSE));
  const TemporaryFolderOverride moved(temporary);
  const ScratchFile name_list(name_list_file());
  const ScratchFile results(result_list_file());
  const std::string search_folder = "C:\\no such folder\\";
  const std::string save_folder = "C:\\no such folder\\saved\\";

  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ScriptWatch impostors(app.process_id(), "Temp.exe");
  ASSERT_TRUE(set_text(app.control(k搜索路径框), search_folder));
  ASSERT_TRUE(set_text(app.control(k保存路径框), save_folder));
  ASSERT_TRUE(set_text(app.control(k编辑框1), "a.txt"));
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);

  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value()) << "no command interpreter ran it";
  ASSERT_TRUE(scripts.wait_for_end(kPatience));
  EXPECT_EQ(read_file(temporary + "\\XXXX.BAT"), script_for(search_folder, save_folder));
  EXPECT_TRUE(impostors.wait_for_end(0));
  EXPECT_TRUE(impostors.starts().empty());
}

// The script cannot be written into a temporary folder that does not exist, so there is
// nothing to start: the message names the script, and the view button is enabled all the same.
TEST(StartCommand, AScriptThatCannotBeWrittenIsNamedAndTheViewButtonIsEnabledAllTheSame) {
  const std::string missing = user_profile() + "\\Kestrafil Missing Temp";
  RemoveDirectoryA(missing.c_str());
  const TemporaryFolderOverride moved(missing);
  const ScratchFile name_list(name_list_file());

  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(set_text(app.control(k搜索路径框), "C:\\no such folder\\"));
  ASSERT_TRUE(set_text(app.control(k保存路径框), "C:\\no such folder\\saved\\"));
  ASSERT_TRUE(set_text(app.control(k编辑框1), "a.txt"));
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);

  const auto box = wait_for_message_box(app.process_id());
  ASSERT_TRUE(box.has_value()) << "no message";
  const std::string named = "无法写入文件：" + missing + "\\/XXXX.BAT\r\n";
  EXPECT_EQ(box->text.substr(0, named.size()), named);
  EXPECT_GT(box->text.size(), named.size()) << "Windows' reason follows";
  EXPECT_TRUE(enabled(app.control(k按钮4)));
  ASSERT_TRUE(close_message_box(box->box));
  EXPECT_TRUE(settled(app));
  EXPECT_TRUE(scripts.wait_for_end(0));
  EXPECT_TRUE(scripts.starts().empty());
  EXPECT_FALSE(file_exists(missing));
  EXPECT_EQ(read_file(name_list.path()), "a.txt");
}

// A file.txt that is a folder cannot be written: the message names it with Windows' own reason,
// and nothing is written after it or started. The failed Start lets go of its lock, so the next
// one runs once file.txt can be written.
TEST(StartCommand, ANameListThatCannotBeWrittenIsNamedInAMessageAndNothingStarts) {
  const ScratchFile name_list(name_list_file());
  const ScratchFile script(script_file());
  const ScratchFile results(result_list_file());
  // Made after the files above, so it goes before them, and they remove what the next Start
  // writes in its place.
  const ScratchFolder folder_in_the_way(name_list.path());

  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(set_text(app.control(k搜索路径框), "C:\\no such folder\\"));
  ASSERT_TRUE(set_text(app.control(k保存路径框), "C:\\no such folder\\saved\\"));
  ASSERT_TRUE(set_text(app.control(k编辑框1), "a.txt"));
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);

  EXPECT_FALSE(scripts.wait_for_start(kScriptDelayMs + kStartLatencyMs).has_value());
  const auto box = wait_for_message_box(app.process_id());
  ASSERT_TRUE(box.has_value()) << "no message";
  EXPECT_EQ(box->title, "信息：");
  const std::size_t line_end = box->text.find("\r\n");
  ASSERT_NE(line_end, std::string::npos) << box->text;
  EXPECT_EQ(box->text.substr(0, line_end), "无法写入文件：" + program_folder() + "/file.txt");
  EXPECT_NE(box->text.substr(line_end + 2), "") << "no reason given";
  ASSERT_TRUE(close_message_box(box->box));
  ASSERT_TRUE(settled(app));
  EXPECT_FALSE(file_exists(script.path()));
  EXPECT_TRUE(scripts.starts().empty());

  ASSERT_TRUE(RemoveDirectoryA(name_list.path().c_str()));
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value()) << "the lock was kept";
  ASSERT_TRUE(scripts.wait_for_end(kPatience));
  EXPECT_EQ(read_file(name_list.path()), "a.txt");
}

// Typing and clicking while the command waits: the window answers at once, and neither reaches
// the job that is about to start.
TEST(StartCommand, ChangesAndClicksDuringTheWaitDoNotReachTheJob) {
  const ScratchFile name_list(name_list_file());
  const ScratchFile script(script_file());
  const ScratchFile results(result_list_file());
  const std::string search_folder = "C:\\no such folder\\first\\";
  const std::string save_folder = "C:\\no such folder\\saved\\";
  const std::string names = "first.txt";
  const std::string expected_script = script_for(search_folder, save_folder);

  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(set_text(app.control(k搜索路径框), search_folder));
  ASSERT_TRUE(set_text(app.control(k保存路径框), save_folder));
  ASSERT_TRUE(set_text(app.control(k编辑框1), names));

  const ULONGLONG clicked_at = GetTickCount64();
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  // The script is written just before the wait begins. Looked at only once it exists: the
  // program opens it for nobody else, so a reader that held it at that moment would stop it.
  ASSERT_TRUE(wait_until(
      [&] { return file_exists(script.path()) && read_file(script.path()) == expected_script; },
      kReaction));
  ASSERT_TRUE(set_text(app.control(k搜索路径框), "C:\\no such folder\\second\\"));
  ASSERT_TRUE(set_text(app.control(k编辑框1), "second.txt"));
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  ASSERT_TRUE(settled(app));
  EXPECT_LT(GetTickCount64() - clicked_at, kScriptDelayMs) << "answered only after the wait";

  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value());
  ASSERT_TRUE(wait_until([&] { return enabled(app.control(k按钮4)); }, kReaction));
  ASSERT_TRUE(scripts.wait_for_end(kPatience));
  EXPECT_EQ(scripts.starts().size(), 1u) << "the second click started a job of its own";
  EXPECT_EQ(read_file(name_list.path()), names);
  EXPECT_EQ(read_file(script.path()), expected_script);
}

}  // namespace
}  // namespace wine_test
