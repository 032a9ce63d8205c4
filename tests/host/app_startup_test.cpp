#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/app.h"
#include "tests/fake/child_ids.h"
#include "tests/fake/fake_platform.h"
#include "window/layout.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::ProcessExit;

using namespace testing::child_ids;

int index_in(const std::vector<std::string>& log, const std::string& line) {
  const auto found = std::find(log.begin(), log.end(), line);
  return found == log.end() ? -1 : static_cast<int>(found - log.begin());
}

// A fatal error ends the process; the fake's exit_process throws instead.
int exit_code_of_failed_run(App& app) {
  try {
    app.run();
  } catch (const ProcessExit& exit) {
    return exit.code;
  }
  ADD_FAILURE() << "run returned";
  return 0;
}

TEST(StartUp, PreparesTheProcessInOrderThenShowsTheWindow) {
  FakePlatform fake;
  fake.module_path = "D:\\Program Files\\Kestrafil\\Kestrafil.exe";
  fake.post(testing::kCloseMessage);
  App app(fake);

  EXPECT_EQ(app.run(), 0);

  const std::vector<std::string> expected{
      "add_error_mode 8001",
      "ole_initialize",
      "set_current_directory D:\\Program Files\\Kestrafil",
      "create_main_window",
      "show_main_window",
  };
  int previous = -1;
  for (const auto& line : expected) {
    const int at = index_in(fake.log, line);
    EXPECT_GT(at, previous) << line;
    previous = at;
  }
  EXPECT_EQ(fake.ole_initialized, 0) << "COM is uninitialised at the end";
}

TEST(StartUp, ProgramInADriveRootSetsTheBareDrive) {
  FakePlatform fake;
  fake.module_path = "C:\\Kestrafil.exe";
  fake.post(testing::kCloseMessage);
  App app(fake);
  app.run();
  EXPECT_GE(index_in(fake.log, "set_current_directory C:"), 0);
}

TEST(StartUp, AFailedCurrentDirectoryChangeIsIgnored) {
  FakePlatform fake;
  fake.set_directory_ok = false;
  fake.post(testing::kCloseMessage);
  App app(fake);
  EXPECT_EQ(app.run(), 0);
  EXPECT_TRUE(fake.main_shown);
}

TEST(StartUp, CentresTheWindowOnTheWholeScreenTruncatingTowardZero) {
  struct Case {
    const char* name;
    ScreenSize screen;
    Rect expected;
  };
  const Case cases[] = {
      {"ordinary screen", {1024, 768}, {340, 163, 344, 442}},
      {"odd remainder", {1025, 769}, {340, 163, 344, 442}},
      {"screen narrower than the window", {300, 400}, {-22, -21, 344, 442}},
      {"negative odd difference truncates toward zero", {301, 401}, {-21, -20, 344, 442}},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.screen = c.screen;
    fake.post(testing::kCloseMessage);
    App app(fake);
    app.run();
    ASSERT_TRUE(fake.created_outer) << c.name;
    EXPECT_EQ(*fake.created_outer, c.expected) << c.name;
  }
}

// The controls reach 319 pixels across and 386 down the client area (the two lower buttons).
TEST(StartUp, GrowsJustEnoughForTheControlsWhenTheFrameLeavesTooSmallAClientArea) {
  struct Case {
    const char* name;
    FrameExtent frame;
    Rect expected;
  };
  const Case cases[] = {
      {"standard metrics", {6, 44}, {340, 163, 344, 442}},
      {"a frame that leaves exactly the room needed", {25, 56}, {340, 163, 344, 442}},
      {"one pixel taller", {25, 57}, {340, 162, 344, 443}},
      {"tall caption and menu bars (larger text)", {8, 90}, {340, 146, 344, 476}},
      {"a wide border as well", {60, 90}, {322, 146, 379, 476}},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.frame = c.frame;
    fake.post(testing::kCloseMessage);
    App app(fake);
    app.run();
    ASSERT_TRUE(fake.created_outer) << c.name;
    EXPECT_EQ(*fake.created_outer, c.expected) << c.name;
  }
}

TEST(StartUp, InitialFocusIsOnTheStartButton) {
  FakePlatform fake;
  int focus_while_running = 0;
  fake.on_dispatch = [&](const Message&) { focus_while_running = fake.focus; };
  fake.post(0x0200);
  fake.post(testing::kCloseMessage);
  App app(fake);
  app.run();
  EXPECT_EQ(focus_while_running, kStartButton);
}

TEST(FatalError, WindowThatCannotBeCreatedEndsWithMinusOne) {
  FakePlatform fake;
  fake.fail_window_creation = true;
  App app(fake);
  EXPECT_EQ(exit_code_of_failed_run(app), -1);
  ASSERT_EQ(fake.message_boxes.size(), 1u);
  EXPECT_EQ(fake.message_boxes[0].title, "错误");
  EXPECT_EQ(fake.message_boxes[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(fake.message_boxes[0].style, MessageBoxStyle::icon_error)
      << "error icon, one OK button";
  EXPECT_EQ(fake.ole_initialized, 0) << "COM is uninitialised before the exit";
  EXPECT_EQ(app.state(), AppState::failed);
}

TEST(FatalError, TextMemoryThatCannotBeHadNamesTheByteCount) {
  FakePlatform fake;
  fake.fail_allocation_from = 1001;
  App app(fake);
  fake.on_dispatch = [&](const Message&) {
    fake.controls[kNameList].text = std::string(1000, 'n');
    app.window().read_text(Control::编辑框1);
  };
  fake.post(0x0200);
  EXPECT_EQ(exit_code_of_failed_run(app), -1);
  ASSERT_EQ(fake.message_boxes.size(), 1u);
  EXPECT_EQ(fake.message_boxes[0].text, "运行时出错!\r\n\r\n错误信息：分配 1001 字节内存失败!\r\n");
}

TEST(FatalError, ErrorCodeIsShownInDecimalWhenGiven) {
  FakePlatform fake;
  App app(fake);
  EXPECT_THROW(app.fatal_error("", 1234), ProcessExit);
  EXPECT_EQ(fake.message_boxes.at(0).text, "运行时出错!\r\n\r\n错误代码：1234\r\n\r\n");
}

TEST(FatalError, AFailureWhileItsBoxIsUpEndsTheProcessWithoutASecondBox) {
  FakePlatform fake;
  App app(fake);
  fake.post(testing::kCloseMessage);
  app.run();
  fake.main_window = true;
  fake.controls[kNameList].text = std::string(100, 'n');  // longer than a string keeps inside
  const TextMemoryScope memory(app);
  fake.while_message_box = [&](const testing::MessageBoxCall&) {
    fake.fail_allocation_from = 1;
    app.window().read_text(Control::编辑框1);
  };
  try {
    app.fatal_error("x");
    ADD_FAILURE() << "the process did not end";
  } catch (const ProcessExit& exit) {
    EXPECT_EQ(exit.code, kFatalExitCode);
  }
  EXPECT_EQ(fake.message_boxes.size(), 1u);
}

TEST(FatalError, NoEventIsRaisedOnceItHasBegun) {
  FakePlatform fake;
  App app(fake);
  fake.post(testing::kCloseMessage);
  app.run();
  fake.main_window = true;
  fake.while_message_box = [&](const testing::MessageBoxCall&) {
    EXPECT_EQ(app.state(), AppState::failed);
    EXPECT_TRUE(app.on_command(kAboutEntry, Notification::click))
        << "the About entry is ignored, not passed on";
  };
  EXPECT_THROW(app.fatal_error("x"), ProcessExit);
  EXPECT_EQ(fake.message_boxes.size(), 1u);
}

}  // namespace
}  // namespace kestrafil
