#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "tests/fake/event_loop_step.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::kMainWindow;

constexpr unsigned kTab = 0x09;
constexpr unsigned kEscape = 0x1B;
constexpr unsigned kEnter = 0x0D;

// Runs the program until the queued messages are used up; `during` runs on the first one.
class RunningApp : public ::testing::Test {
 protected:
  void run_with(const std::function<void()>& during) {
    exit_code = testing::run_step_in_event_loop(fake, app, during);
  }

  FakePlatform fake;
  App app{fake};
  int exit_code = -99;
};

std::vector<int> tab_walk(FakePlatform& fake, App& app, int presses, bool shift) {
  std::vector<int> visited;
  fake.modifiers.shift = shift;
  for (int i = 0; i < presses; ++i) {
    app.handle_message(Message{static_cast<NativeHandle>(fake.focus), 0x0100, kTab});
    visited.push_back(fake.focus);
  }
  fake.modifiers.shift = false;
  return visited;
}

TEST_F(RunningApp, TabCyclesTheVisibleEnabledTabStopsAndWraps) {
  run_with([&] {
    EXPECT_EQ(tab_walk(fake, app, 7, false), (std::vector<int>{120, 130, 160, 170, 180, 110, 120}));
    EXPECT_EQ(tab_walk(fake, app, 2, true), (std::vector<int>{110, 180}));
  });
}

TEST_F(RunningApp, EnabledViewButtonJoinsTheTabOrderAfterTheNameList) {
  run_with([&] {
    app.set_disabled(Control::按钮4, false);
    fake.focus = 180;
    EXPECT_EQ(tab_walk(fake, app, 2, false), (std::vector<int>{200, 110}));
    EXPECT_EQ(tab_walk(fake, app, 1, true), (std::vector<int>{200}));
  });
}

TEST_F(RunningApp, TabKeysAreConsumedAndOtherKeysPassOn) {
  struct Case {
    const char* name;
    unsigned message;
    unsigned key;
    KeyModifiers modifiers;
    bool consumed;
  };
  const Case cases[] = {
      {"tab", 0x0100, kTab, {}, true},
      {"shift tab", 0x0100, kTab, {false, true, false}, true},
      {"ctrl tab", 0x0100, kTab, {true, false, false}, false},
      {"alt tab", 0x0104, kTab, {false, false, true}, false},
      {"enter", 0x0100, kEnter, {}, false},
      {"letter", 0x0100, 'A', {}, false},
      {"tab character message", 0x0102, kTab, {}, false},
      {"shift escape", 0x0100, kEscape, {false, true, false}, false},
  };
  run_with([&] {
    for (const auto& c : cases) {
      fake.focus = 180;
      fake.modifiers = c.modifiers;
      const auto dispatched = fake.log.size();
      app.handle_message(Message{180, c.message, c.key});
      const bool was_dispatched =
          fake.log.size() > dispatched && fake.log.back().rfind("dispatch", 0) == 0;
      EXPECT_EQ(!was_dispatched, c.consumed) << c.name;
      EXPECT_TRUE(fake.main_window) << c.name;
    }
    fake.modifiers = {};
  });
}

TEST_F(RunningApp, KeysForADisabledWindowPassOnUntouched) {
  run_with([&] {
    fake.windows[200] = false;
    fake.controls[200].enabled = false;
    app.handle_message(Message{200, 0x0100, kEscape});
    EXPECT_TRUE(fake.main_window);
  });
}

TEST_F(RunningApp, EscapeClosesFromEveryControlAndTheProgramExitsWithZero) {
  for (const int control : {110, 120, 130, 160, 170, 180}) {
    FakePlatform local;
    App local_app(local);
    local.post_key(kEscape, static_cast<NativeHandle>(control));
    EXPECT_EQ(local_app.run(), 0) << control;
    EXPECT_FALSE(local.main_window) << control;
    EXPECT_EQ(local_app.state(), AppState::ended) << control;
  }
}

TEST_F(RunningApp, FocusIsRememberedAcrossDeactivation) {
  run_with([&] {
    app.on_deactivated(130);
    EXPECT_EQ(app.on_focus_received(), 130);
    app.on_deactivated(0);  // focus outside the window: the last control is kept
    EXPECT_EQ(app.on_focus_received(), 130);
  });
}

TEST_F(RunningApp, ButtonClicksAndMenuChoicesFollowTheDispatchRules) {
  struct Case {
    const char* name;
    unsigned id;
    unsigned notification;
    bool handled;
  };
  const Case cases[] = {
      {"system command range is ignored", 0xE100, 0, true},
      {"menu header runs nothing", 20000, 0, true},
      {"identifier past the menu runs nothing", 20006, 0, true},
      {"control notification other than a click gets standard handling", 120, 0x0300, false},
      {"click of an unknown control gets standard handling", 999, 0, false},
      {"click of a label gets standard handling", 190, 0, false},
  };
  run_with([&] {
    for (const auto& c : cases)
      EXPECT_EQ(app.on_command(c.id, c.notification), c.handled) << c.name;
    EXPECT_TRUE(fake.message_boxes.empty());
  });
}

TEST_F(RunningApp, ReadingAnEmptyBoxGivesTheEmptyText) {
  run_with([&] {
    EXPECT_TRUE(app.read_text(Control::搜索路径框).empty());
    app.write_text(Control::搜索路径框, "D:\\Photos\\");
    EXPECT_EQ(app.read_text(Control::搜索路径框), "D:\\Photos\\");
    fake.controls[180].text = "a.jpg\r\nb.jpg";
    EXPECT_EQ(app.read_text(Control::编辑框1), "a.jpg\r\nb.jpg") << "lines exactly as held";
  });
}

TEST_F(RunningApp, SetDisabledChangesTheRecordEvenAfterTheWindowIsGone) {
  run_with([&] {
    EXPECT_TRUE(app.disabled(Control::按钮4));
    app.set_disabled(Control::按钮4, false);
    EXPECT_TRUE(fake.controls[200].enabled);
    fake.close_main_window();
    const auto calls = fake.log.size();
    app.set_disabled(Control::按钮1, true);
    EXPECT_TRUE(app.disabled(Control::按钮1));
    EXPECT_EQ(fake.log.size(), calls) << "no window call once the window is gone";
  });
  EXPECT_EQ(exit_code, 0);
}

TEST_F(RunningApp, ShowMessageAddsTaskModalUnlessSystemModalAndDefaultsTheTitle) {
  struct Case {
    const char* name;
    unsigned style;
    std::optional<TextView> title;
    unsigned expected_style;
    const char* expected_title;
  };
  const Case cases[] = {
      {"plain message", 0, std::nullopt, 0x2000, "信息："},
      {"own title", 0, "KestrafilV1.0", 0x2000, "KestrafilV1.0"},
      {"system modal kept", 0x1000, std::nullopt, 0x1000, "信息："},
  };
  run_with([&] {
    for (const auto& c : cases) {
      fake.message_boxes.clear();
      app.show_message("text", c.style, c.title);
      ASSERT_EQ(fake.message_boxes.size(), 1u) << c.name;
      EXPECT_EQ(fake.message_boxes[0].style, c.expected_style) << c.name;
      EXPECT_EQ(fake.message_boxes[0].title, c.expected_title) << c.name;
      EXPECT_EQ(fake.message_boxes[0].text, "text") << c.name;
    }
  });
}

// The box has no owner: when it closes, the program's windows are still disabled and Windows
// activates none of them. The window that was in front and active gets both back.
TEST_F(RunningApp, ShowMessageGivesForegroundAndActivationBackWhenTheBoxCloses) {
  run_with([&] {
    fake.active = kMainWindow;
    fake.foreground = kMainWindow;
    fake.while_message_box = [&](const testing::MessageBoxCall&) {
      fake.active = 0;
      fake.foreground = 0;
    };
    app.show_message("text");
    EXPECT_EQ(fake.foreground, kMainWindow);
    EXPECT_EQ(fake.active, kMainWindow);
  });
}

TEST_F(RunningApp, ShowMessageActivatesNothingWhenNothingWasActive) {
  run_with([&] {
    fake.log.clear();
    app.show_message("text");
    EXPECT_EQ(fake.log, std::vector<std::string>{"message_box 信息："});
  });
}

}  // namespace
}  // namespace kestrafil
