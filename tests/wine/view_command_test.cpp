// The view command with the real shell: once a job has started, 查看搜索到的文件 opens the
// folder that the save box names at the moment of the click in a shell window of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

constexpr const char* kRoot = "C:\\Kestrafil View";
constexpr const char* kSearchFolder = "C:\\Kestrafil View\\Search";
constexpr const char* kFoundFile = "C:\\Kestrafil View\\Search\\found.txt";
constexpr const char* kSavedCopy = "C:\\Kestrafil View\\Saved Copies\\found.txt";

struct Opened {
  const char* save_box;
  const char* window_caption;  // the shell names its window after the folder
};

// Clicked in this order: first the folder the job copied into, then one typed in afterwards.
const Opened kOpened[] = {
    {"C:\\Kestrafil View\\Saved Copies", "Saved Copies"},
    {"C:\\Kestrafil View\\Changed Later", "Changed Later"},
};

BOOL CALLBACK collect_visible(HWND window, LPARAM found) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// Every process's, since the shell's window is not the program's.
std::vector<HWND> visible_windows() {
  std::vector<HWND> windows;
  EnumWindows(collect_visible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> new_windows(const std::vector<HWND>& before) {
  auto windows = visible_windows();
  std::erase_if(windows, [&](HWND window) {
    return std::find(before.begin(), before.end(), window) != before.end();
  });
  return windows;
}

// Other new windows may come and go meanwhile, such as the job's console.
HWND new_window_titled(const std::vector<HWND>& before, const std::string& title) {
  for (HWND window : new_windows(before)) {
    if (caption(window) == title) return window;
  }
  return nullptr;
}

std::string captions(const std::vector<HWND>& windows) {
  std::string joined;
  for (HWND window : windows) joined += "[" + caption(window) + "] ";
  return joined;
}

void set_text(HWND control, const char* text) {
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The shell window belongs to a process that the shell started; closing the window ends it.
bool close_shell_window(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
  PostMessageA(window, WM_CLOSE, 0, 0);
  const bool closed = wait_until([window] { return !IsWindow(window); }, kReaction);
  if (process == nullptr) return closed;
  const bool ended = WaitForSingleObject(process, kReaction) == WAIT_OBJECT_0;
  CloseHandle(process);
  return closed && ended;
}

class ViewCommand : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    CreateDirectoryA(kRoot, nullptr);
    CreateDirectoryA(kSearchFolder, nullptr);
    for (const auto& opened : kOpened) CreateDirectoryA(opened.save_box, nullptr);
    CloseHandle(CreateFileA(kFoundFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  static void TearDownTestSuite() {
    DeleteFileA(kSavedCopy);
    DeleteFileA(kFoundFile);
    for (const auto& opened : kOpened) RemoveDirectoryA(opened.save_box);
    RemoveDirectoryA(kSearchFolder);
    RemoveDirectoryA(kRoot);
  }
};

TEST_F(ViewCommand, OpensTheFolderThatTheSaveBoxNamesAtTheClick) {
  KestrafilProcess app;
  HWND view = app.control(k按钮4);
  ASSERT_FALSE(IsWindowEnabled(view)) << "no job has started yet";

  set_text(app.control(k搜索路径框), "C:\\Kestrafil View\\Search\\");
  set_text(app.control(k保存路径框), kOpened[0].save_box);
  set_text(app.control(k编辑框1), "found.txt");
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(view) != FALSE; }))
      << "the Start command enables the view button once the job has started";
  EXPECT_TRUE(wait_until([] { return GetFileAttributesA(kSavedCopy) != INVALID_FILE_ATTRIBUTES; }))
      << "the job copied nothing to look at";

  for (const auto& opened : kOpened) {
    SCOPED_TRACE(opened.save_box);
    set_text(app.control(k保存路径框), opened.save_box);
    const auto before = visible_windows();
    PostMessageA(view, BM_CLICK, 0, 0);
    HWND shown = nullptr;
    ASSERT_TRUE(wait_until([&] {
      return (shown = new_window_titled(before, opened.window_caption)) != nullptr;
    })) << "no shell window for the folder; new windows: "
        << captions(new_windows(before));
    DWORD owner_process = 0;
    GetWindowThreadProcessId(shown, &owner_process);
    EXPECT_NE(owner_process, app.process_id()) << "the window is the shell's, not the program's";
    EXPECT_EQ(visible_top_level_windows(app.process_id()), std::vector<HWND>{app.main_window()})
        << "the program shows nothing of its own";
    EXPECT_TRUE(close_shell_window(shown));
  }
  EXPECT_TRUE(IsWindowEnabled(view)) << "nothing disables the view button again";
}

}  // namespace
}  // namespace wine_test
