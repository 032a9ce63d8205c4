#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "search/job_lock.h"
#include "tests/fake/child_ids.h"
#include "tests/fake/fake_platform.h"
#include "window/script_body.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::kCommandMessage;
using testing::kQuitMessage;

using namespace testing::child_ids;

constexpr unsigned kUserActs = 0x0400;
constexpr unsigned kPaint = 0x000F;

const std::string kListPath = "C:\\Tools/file.txt";
const std::string kScriptPath = "C:\\Temp\\/XXXX.BAT";
const std::string kInterpreter = "C:\\Windows\\system32\\cmd.exe";
const std::string kCommandLine =
    "\"" + kInterpreter + "\" /d /e:on /v:off /s /c \"\"%KESTRAFIL_SCRIPT%\"\"";
const std::string kStarted = "create_suspended_process " + kCommandLine;
const std::string kLock(kJobLockName);
constexpr TextView kJobRunning =
    "上一次的搜索还没有结束，请等它结束（或关闭它的窗口）后再点击开始。";

struct Boxes {
  std::string names;
  std::string search;
  std::string save;
};

const Boxes kJob{"a.jpg\r\nb c.png", "D:\\Photos", "E:\\Found"};

std::string job_script(const std::string& list_folder = "C:\\Tools") {
  return "@echo off\r\nset \"jpgname=" + list_folder +
         "/file.txt\"\r\nset \"jpgpath=D:\\Photos\\\"\r\nset \"Udrvpath=E:\\Found\\\"\r\n" +
         std::string(kScriptBody);
}

// The program over the fake, with a user who acts through its message queue.
struct Session {
  Session() {
    fake.on_dispatch = [this](const Message& message) {
      if (message.id == kUserActs) acts.at(message.wparam)();
    };
  }

  // Happens when the program takes it from its queue, inside the event loop or a wait.
  void user(std::function<void()> act) {
    acts.push_back(std::move(act));
    fake.post(kUserActs, acts.size() - 1);
  }

  void fill(const Boxes& boxes) {
    user([this, boxes] { type(boxes); });
  }

  void type(const Boxes& boxes) {
    fake.controls[kNameList].text = boxes.names;
    fake.controls[kSearchBox].text = boxes.search;
    fake.controls[kSaveBox].text = boxes.save;
  }

  void click(int button) { fake.post(kCommandMessage, static_cast<std::uintptr_t>(button)); }

  // Goes through the queued messages; the quit at their end stays queued through any wait.
  int run() {
    fake.post(kQuitMessage, 0, WindowRef{});
    return app.run();
  }

  std::vector<std::string> log_after(const std::string& line) const {
    const auto found = std::find(fake.log.begin(), fake.log.end(), line);
    return {found == fake.log.end() ? found : found + 1, fake.log.end()};
  }

  long count(const std::string& line) const {
    return std::count(fake.log.begin(), fake.log.end(), line);
  }

  bool logged_before(const std::string& first, const std::string& second) const {
    const auto a = std::find(fake.log.begin(), fake.log.end(), first);
    const auto b = std::find(fake.log.begin(), fake.log.end(), second);
    return a != fake.log.end() && b != fake.log.end() && a < b;
  }

  FakePlatform fake;
  App app{fake};
  std::vector<std::function<void()>> acts;
};

TEST(StartCommand, SavesTheListWritesTheScriptWaitsThenStartsIt) {
  Session s;
  s.fake.files[kListPath] = "an older, longer list of names\r\nthat must not survive";
  s.fake.files[kScriptPath] = std::string(2000, 'x');
  s.fill(kJob);
  s.click(kStartButton);
  s.fake.post(kPaint);  // served inside the wait
  EXPECT_EQ(s.run(), 0);

  const auto script = job_script();
  EXPECT_EQ(s.log_after("dispatch 111 6e"),
            (std::vector<std::string>{"create_named_event " + kLock,
                                      "current_directory",
                                      "create_file " + kListPath,
                                      "write_file 14",
                                      "close_handle " + kListPath,
                                      "temp_path",
                                      "current_directory",
                                      "create_file " + kScriptPath,
                                      "write_file " + std::to_string(script.size()),
                                      "close_handle " + kScriptPath,
                                      "dispatch f 0",
                                      "temp_path",
                                      "system_directory",
                                      "current_directory",
                                      kStarted,
                                      "duplicate_into event process",
                                      "close_handle event",
                                      "resume_thread thread",
                                      "wait_for_input_idle process 1000",
                                      "close_handle thread",
                                      "close_handle process",
                                      "enable_control 200 1",
                                      "ole_uninitialize"}));
  EXPECT_EQ(s.fake.files[kListPath], kJob.names);
  EXPECT_EQ(s.fake.files[kScriptPath], script);
  EXPECT_EQ(s.fake.started, (std::vector<std::string>{kCommandLine}));
  ASSERT_EQ(s.fake.processes.size(), 1u);
  EXPECT_EQ(s.fake.processes[0].program, kInterpreter);
  EXPECT_EQ(s.fake.processes[0].added_variables,
            (std::vector<std::string>{"KESTRAFIL_SCRIPT=" + kScriptPath}));
  EXPECT_EQ(s.fake.processes[0].removed_variables, (std::vector<std::string>{"DIRCMD", "COPYCMD"}));
  // The job's interpreter holds the lock now, and nobody else does.
  EXPECT_EQ(s.fake.named_events, (std::map<std::string, int>{{kLock, 1}}));
  EXPECT_EQ(s.fake.processes[0].held_events, (std::vector<std::string>{kLock}));
  EXPECT_GT(s.fake.clock - 5000u, 1000u);  // only the wait reads the clock
  EXPECT_TRUE(s.fake.message_boxes.empty());
  EXPECT_TRUE(s.fake.controls[kViewButton].enabled);
  EXPECT_FALSE(s.app.window().disabled(Control::按钮4));
  EXPECT_TRUE(s.fake.open_handles.empty());
}

TEST(StartCommand, SavesTheListThenStopsAtTheFirstEmptyBox) {
  struct Case {
    const char* name;
    Boxes boxes;
    std::optional<std::string> message;
  };
  const Case cases[] = {
      {"all empty", {"", "", ""}, "请选择搜索路径"},
      {"names but no folders", {"a.jpg", "", ""}, "请选择搜索路径"},
      {"only the search folder", {"", "D:\\Photos", ""}, "请选择保存路径"},
      {"both folders, no names", {"", "D:\\Photos", "E:\\Found"}, "您没有输入任何要搜索的文件名"},
      {"a lone space is a name list", {" ", "D:\\Photos", "E:\\Found"}, std::nullopt},
      {"a lone line break is a name list", {"\r\n", "D:\\Photos", "E:\\Found"}, std::nullopt},
      {"a lone backslash is a search folder", {"a.jpg", "\\", "E:\\Found"}, std::nullopt},
  };
  for (const auto& c : cases) {
    Session s;
    s.fake.files[kListPath] = "an older, longer list of names";
    s.fill(c.boxes);
    s.click(kStartButton);
    EXPECT_EQ(s.run(), 0) << c.name;
    EXPECT_EQ(s.fake.files[kListPath], c.boxes.names) << c.name;
    if (c.message) {
      ASSERT_EQ(s.fake.message_boxes.size(), 1u) << c.name;
      EXPECT_EQ(s.fake.message_boxes[0].text, *c.message) << c.name;
      EXPECT_EQ(s.fake.message_boxes[0].title, "信息：") << c.name;
      EXPECT_EQ(s.fake.message_boxes[0].style, MessageBoxStyle::task_modal) << c.name;
      EXPECT_FALSE(s.fake.files.contains(kScriptPath)) << c.name;
      EXPECT_TRUE(s.fake.started.empty()) << c.name;
      EXPECT_TRUE(s.app.window().disabled(Control::按钮4)) << c.name;
      EXPECT_TRUE(s.fake.named_events.empty()) << c.name;
    } else {
      EXPECT_TRUE(s.fake.message_boxes.empty()) << c.name;
      EXPECT_EQ(s.fake.started, (std::vector<std::string>{kCommandLine})) << c.name;
      EXPECT_FALSE(s.app.window().disabled(Control::按钮4)) << c.name;
    }
  }
}

TEST(StartCommand, DuringTheWaitASecondStartIsIgnoredAndOtherEventsRun) {
  Session s;
  s.fill(kJob);
  s.click(kStartButton);
  s.fill({"z.jpg", "X:\\Elsewhere\\", "Y:\\Other\\"});
  s.click(kStartButton);
  s.click(kSearchFolderButton);
  EXPECT_EQ(s.run(), 0);

  EXPECT_EQ(s.count("create_file " + kListPath), 1);
  EXPECT_EQ(s.fake.started, (std::vector<std::string>{kCommandLine}));
  // The job keeps what the boxes held when it was written.
  EXPECT_EQ(s.fake.files[kListPath], kJob.names);
  EXPECT_EQ(s.fake.files[kScriptPath], job_script());
  const auto ran_meanwhile = [&](const std::string& prefix) {
    const auto during = s.log_after("close_handle " + kScriptPath);
    const auto start = std::find(during.begin(), during.end(), kStarted);
    return std::any_of(during.begin(), start,
                       [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  };
  EXPECT_TRUE(ran_meanwhile("browse_for_folder"));
  EXPECT_FALSE(s.app.window().disabled(Control::按钮4));
}

TEST(StartCommand, ClosingTheWindowDuringTheWaitStillStartsTheScriptAndEndsWithZero) {
  Session s;
  s.fill(kJob);
  s.click(kStartButton);
  s.fake.post_key(Key::escape, testing::window_ref(kNameList));
  EXPECT_EQ(s.app.run(), 0);  // the quit posted by the closing window, left for the loop

  EXPECT_TRUE(s.logged_before("close_main_window", kStarted));
  EXPECT_EQ(s.fake.started, (std::vector<std::string>{kCommandLine}));
  EXPECT_FALSE(s.fake.main_window);
  EXPECT_FALSE(s.app.window().disabled(Control::按钮4));
  EXPECT_EQ(s.count("enable_control 200 1"), 0);
  EXPECT_EQ(s.app.state(), AppState::ended);
  EXPECT_TRUE(s.fake.open_handles.empty());
}

TEST(StartCommand, ALaterStartRunsAgainAndNeverDisablesTheViewButton) {
  Session s;
  s.user([&] {
    s.type(kJob);
    s.fake.click(kStartButton);
    s.fake.end_process(0);
    s.fake.controls[kSaveBox].text.clear();
    s.fake.click(kStartButton);
  });
  EXPECT_EQ(s.run(), 0);

  EXPECT_EQ(s.count("create_file " + kListPath), 2);
  EXPECT_EQ(s.fake.started, (std::vector<std::string>{kCommandLine}));
  ASSERT_EQ(s.fake.message_boxes.size(), 1u);
  EXPECT_EQ(s.fake.message_boxes[0].text, "请选择保存路径");
  EXPECT_TRUE(s.fake.controls[kViewButton].enabled);
  EXPECT_FALSE(s.app.window().disabled(Control::按钮4));
}

std::string reason(unsigned code) {
  return "系统错误 " + std::to_string(code) + "。";
}

TEST(StartCommand, AFailureStartsNothingAndNamesWhatFailedAndWhy) {
  struct Case {
    const char* name;
    std::function<void(FakePlatform&)> setup;
    std::map<std::string, std::string> files;
    std::string message;
  };
  const std::string list_failed = "无法写入文件：" + kListPath + "\r\n";
  const std::string script_failed = "无法写入文件：" + kScriptPath + "\r\n";
  const std::string start_failed = "无法启动搜索：";
  const Case cases[] = {
      {"the name list cannot be made",
       [](FakePlatform& f) { f.fail_create_file = kListPath; },
       {},
       list_failed + reason(5)},
      {"the name list stops short, as on a full disk",
       [](FakePlatform& f) { f.short_write = 4; },
       {{kListPath, "a.jp"}},
       list_failed + reason(112)},
      {"writes fail",
       [](FakePlatform& f) {
         f.fail_write = true;
         f.failure_reason = SystemError{32};
       },
       {{kListPath, ""}},
       list_failed + reason(32)},
      {"closes fail",
       [](FakePlatform& f) { f.fail_close = true; },
       {{kListPath, kJob.names}},
       list_failed + reason(5)},
      {"the current directory cannot be had, so no list lands in a drive's root",
       [](FakePlatform& f) { f.fail_current_directory = true; },
       {},
       "无法写入文件：file.txt\r\n" + reason(5)},
      {"the script cannot be made",
       [](FakePlatform& f) { f.fail_create_file = kScriptPath; },
       {{kListPath, kJob.names}},
       script_failed + reason(5)},
      {"the temporary directory cannot be had",
       [](FakePlatform& f) { f.fail_temp_path = true; },
       {{kListPath, kJob.names}},
       "无法写入文件：XXXX.BAT\r\n" + reason(5)},
      {"the system directory cannot be had",
       [](FakePlatform& f) { f.fail_system_directory = true; },
       {{kListPath, kJob.names}, {kScriptPath, job_script()}},
       start_failed + reason(5)},
      {"the interpreter cannot be started",
       [](FakePlatform& f) { f.fail_create_process = true; },
       {{kListPath, kJob.names}, {kScriptPath, job_script()}},
       start_failed + reason(5)},
      {"the lock cannot be handed to the interpreter",
       [](FakePlatform& f) { f.fail_duplicate = true; },
       {{kListPath, kJob.names}, {kScriptPath, job_script()}},
       start_failed + reason(5)},
      {"the interpreter cannot be resumed",
       [](FakePlatform& f) { f.fail_resume = true; },
       {{kListPath, kJob.names}, {kScriptPath, job_script()}},
       start_failed + reason(5)},
      {"the lock cannot be made",
       [](FakePlatform& f) { f.fail_named_event = true; },
       {},
       start_failed + reason(5)},
  };
  for (const auto& c : cases) {
    Session s;
    c.setup(s.fake);
    s.fill(kJob);
    s.click(kStartButton);
    EXPECT_EQ(s.run(), 0) << c.name;
    EXPECT_EQ(s.fake.files, c.files) << c.name;
    EXPECT_TRUE(s.fake.started.empty()) << c.name;
    EXPECT_TRUE(std::all_of(s.fake.processes.begin(), s.fake.processes.end(), [](const auto& p) {
      return p.ended;
    })) << c.name;
    ASSERT_EQ(s.fake.message_boxes.size(), 1u) << c.name;
    EXPECT_EQ(s.fake.message_boxes[0].text, c.message) << c.name;
    EXPECT_EQ(s.fake.message_boxes[0].title, "信息：") << c.name;
    // A failed job holds nothing, so the next 开始 can run.
    EXPECT_TRUE(s.fake.named_events.empty()) << c.name;
    EXPECT_TRUE(s.fake.open_handles.empty()) << c.name;
  }
}

TEST(StartCommand, AfterTheTestsPassTheViewButtonIsEnabledEvenWhenTheJobFails) {
  Session s;
  s.fake.fail_create_process = true;
  s.fill(kJob);
  s.click(kStartButton);
  EXPECT_EQ(s.run(), 0);
  EXPECT_TRUE(s.fake.controls[kViewButton].enabled);
  EXPECT_FALSE(s.app.window().disabled(Control::按钮4));
}

// Running them would copy the earlier job's names into the earlier job's save folder.
TEST(StartCommand, AnEarlierJobsFilesAreNotRunAgainWhenThisJobsCannotBeWritten) {
  const std::string earlier_list = "old.jpg";
  const std::string earlier_script = "@echo off\r\nset \"Udrvpath=F:\\Earlier\\\"\r\n";
  const struct {
    const char* name;
    std::string unwritable;
  } cases[] = {
      {"the name list", kListPath},
      {"the script", kScriptPath},
  };
  for (const auto& c : cases) {
    Session s;
    s.fake.files = {{kListPath, earlier_list}, {kScriptPath, earlier_script}};
    s.fake.fail_create_file = c.unwritable;
    s.fill(kJob);
    s.click(kStartButton);
    EXPECT_EQ(s.run(), 0) << c.name;
    EXPECT_EQ(s.fake.files.at(c.unwritable),
              c.unwritable == kListPath ? earlier_list : earlier_script)
        << c.name;
    EXPECT_TRUE(s.fake.started.empty()) << c.name;
    EXPECT_EQ(s.fake.message_boxes.size(), 1u) << c.name;
  }
}

TEST(StartCommand, WhileAJobRunsAStartIsRefusedAndChangesNothing) {
  Session s;
  s.fake.named_events[kLock] = 1;  // another copy's job, still running
  const std::map<std::string, std::string> earlier = {{kListPath, "old.jpg"},
                                                      {kScriptPath, "@echo off\r\n"}};
  s.fake.files = earlier;
  s.fill(kJob);
  s.click(kStartButton);
  EXPECT_EQ(s.run(), 0);

  ASSERT_EQ(s.fake.message_boxes.size(), 1u);
  EXPECT_EQ(s.fake.message_boxes[0].text, kJobRunning);
  EXPECT_EQ(s.fake.message_boxes[0].title, "信息：");
  EXPECT_EQ(s.fake.files, earlier);
  EXPECT_TRUE(s.fake.processes.empty());
  EXPECT_TRUE(s.app.window().disabled(Control::按钮4));
  EXPECT_EQ(s.fake.named_events, (std::map<std::string, int>{{kLock, 1}}));
  EXPECT_TRUE(s.fake.open_handles.empty());
}

TEST(StartCommand, TheJobHoldsTheLockUntilItsInterpreterExits) {
  Session s;
  s.user([&] {
    s.type(kJob);
    s.fake.click(kStartButton);
    s.type({"z.jpg", "X:\\Elsewhere\\", "Y:\\Other\\"});
    s.fake.click(kStartButton);  // the first job still runs
    s.fake.end_process(0);
    s.fake.click(kStartButton);
  });
  EXPECT_EQ(s.run(), 0);

  ASSERT_EQ(s.fake.message_boxes.size(), 1u);
  EXPECT_EQ(s.fake.message_boxes[0].text, kJobRunning);
  ASSERT_EQ(s.fake.processes.size(), 2u);
  EXPECT_EQ(s.fake.files[kListPath], "z.jpg");
  EXPECT_EQ(s.fake.named_events, (std::map<std::string, int>{{kLock, 1}}));
  EXPECT_EQ(s.fake.processes[1].held_events, (std::vector<std::string>{kLock}));
}

TEST(StartCommand, AFolderThatTheLoopWouldRewriteIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    const char* name;
    std::string search;
    std::string save;
    std::optional<std::string> message;
  };
  const std::string in_search =
      "搜索路径中含有“%a”或“%~”，搜索时会被换成找到的文件名。请换一个文件夹。";
  const std::string in_save =
      "保存路径中含有“%a”或“%~”，搜索时会被换成找到的文件名。请换一个文件夹。";
  const Case cases[] = {
      {"%a in the search folder", "D:\\50%and more\\", "E:\\Found", in_search},
      {"%~ in the save folder", "D:\\Photos", "E:\\%~dp\\", in_save},
      {"both: the search folder is named", "D:\\%a", "E:\\%a", in_search},
      {"a control byte that cleaning drops between % and a",
       "D:\\%\x1a"
       "a",
       "E:\\Found", in_search},
      {"%A is another variable", "D:\\%A\\", "E:\\Found", std::nullopt},
      {"a lone % is a character", "D:\\100%\\", "E:\\Found", std::nullopt},
      {"after a line break nothing counts", "D:\\Photos\r\n%a", "E:\\Found", std::nullopt},
  };
  for (const auto& c : cases) {
    Session s;
    s.fake.files = {{kListPath, "old.jpg"}};
    s.fill({"a.jpg", c.search, c.save});
    s.click(kStartButton);
    EXPECT_EQ(s.run(), 0) << c.name;
    if (c.message) {
      ASSERT_EQ(s.fake.message_boxes.size(), 1u) << c.name;
      EXPECT_EQ(s.fake.message_boxes[0].text, *c.message) << c.name;
      EXPECT_EQ(s.fake.files, (std::map<std::string, std::string>{{kListPath, "old.jpg"}}))
          << c.name;
      EXPECT_TRUE(s.fake.processes.empty()) << c.name;
      EXPECT_TRUE(s.fake.named_events.empty()) << c.name;
    } else {
      EXPECT_TRUE(s.fake.message_boxes.empty()) << c.name;
      EXPECT_EQ(s.fake.started.size(), 1u) << c.name;
    }
  }
}

}  // namespace
}  // namespace kestrafil
