// The keyboard as a user meets it: real key presses through the program's own message loop,
// and the focus read back from the program's thread.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

struct DestroyWindowOnExit {
  void operator()(HWND window) const { DestroyWindow(window); }
};

// A fresh program, in front, with the focus where it starts.
class Keyboard : public testing::Test {
 protected:
  void SetUp() override { start(); }

  void start() {
    app_.reset();
    app_.emplace();
    ASSERT_TRUE(bring_to_foreground(main()));
    ASSERT_TRUE(wait_for_focus(main(), k按钮1)) << "focus at start: " << focused_control(main());
  }

  KestrafilProcess& app() { return *app_; }
  HWND main() { return app_->main_window(); }

  // Presses the key and gives the control that has the focus once it has moved.
  int press_and_follow(WORD key, bool shift = false) {
    const int before = focused_control(main());
    press(key, shift);
    wait_until([&] { return focused_control(main()) != before; }, kReaction);
    return focused_control(main());
  }

  std::vector<int> walk(int presses, bool shift = false) {
    std::vector<int> visited;
    for (int i = 0; i < presses; ++i) visited.push_back(press_and_follow(VK_TAB, shift));
    return visited;
  }

  std::optional<KestrafilProcess> app_;
};

TEST_F(Keyboard, TabVisitsTheFocusOrderAndWrapsWhileTheViewButtonIsDisabled) {
  EXPECT_EQ(walk(6), (std::vector<int>{120, 130, 160, 170, 180, 110}));
}

TEST_F(Keyboard, ShiftTabVisitsTheFocusOrderBackwards) {
  EXPECT_EQ(walk(6, true), (std::vector<int>{180, 170, 160, 130, 120, 110}));
}

TEST_F(Keyboard, TabInTheNameListMovesOnAndTypesNoTab) {
  ASSERT_EQ(walk(1, true), std::vector<int>{k编辑框1});
  EXPECT_EQ(press_and_follow(VK_TAB), k按钮1);
  // Coming back is a later key press: a tab typed by the first one has arrived by then.
  EXPECT_EQ(press_and_follow(VK_TAB, true), k编辑框1);
  EXPECT_EQ(window_text(app().control(k编辑框1)), "");
}

TEST_F(Keyboard, EnterInTheNameListStartsANewLine) {
  ASSERT_EQ(walk(1, true), std::vector<int>{k编辑框1});
  press(VK_RETURN);
  EXPECT_TRUE(wait_until([&] { return window_text(app().control(k编辑框1)) == "\r\n"; }, kReaction))
      << window_text(app().control(k编辑框1));
  EXPECT_EQ(focused_control(main()), k编辑框1);
}

struct EnterRow {
  const char* name;
  int tabs_from_start;
  int next;
};

// A default button, or a box that handed Enter on, would run a command whose box then takes
// the following Tab, so the focus would not move on.
TEST_F(Keyboard, EnterOnAButtonOrInAFolderBoxRunsNothingAndTypesNothing) {
  const EnterRow rows[] = {
      {"按钮1", 0, k搜索路径框},
      {"搜索路径框", 1, k保存路径框},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    start();
    walk(row.tabs_from_start);
    press(VK_RETURN);
    EXPECT_EQ(press_and_follow(VK_TAB), row.next);
    EXPECT_EQ(visible_top_level_windows(app().process_id()), std::vector<HWND>{main()});
    EXPECT_EQ(window_text(app().control(k搜索路径框)), "");
  }
}

struct EscRow {
  const char* name;
  int tabs_back_from_start;
  int focused;
};

TEST_F(Keyboard, EscClosesTheProgramWithExitCode0WhereverTheFocusIs) {
  const EscRow rows[] = {
      {"按钮1", 0, k按钮1},
      {"搜索路径框", 5, k搜索路径框},
      {"编辑框1", 1, k编辑框1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    start();
    walk(row.tabs_back_from_start, true);
    ASSERT_EQ(focused_control(main()), row.focused);
    press(VK_ESCAPE);
    EXPECT_EQ(app().wait_for_exit(kReaction), 0u);
  }
}

// A window of the test's own takes the activation away and gives it back.
TEST_F(Keyboard, FocusReturnsToItsControlAfterAnotherWindowWasActive) {
  ASSERT_EQ(walk(2), (std::vector<int>{k搜索路径框, k保存路径框}));
  std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowOnExit> other(
      CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(bring_to_foreground(other.get()));
  EXPECT_TRUE(wait_until([&] { return focused_control(main()) == 0; }, kReaction))
      << "the program kept the focus: " << focused_control(main());
  ASSERT_TRUE(bring_to_foreground(main()));
  EXPECT_TRUE(wait_for_focus(main(), k保存路径框)) << focused_control(main());
}

}  // namespace
}  // namespace wine_test
