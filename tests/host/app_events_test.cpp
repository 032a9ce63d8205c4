#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "tests/fake/child_ids.h"
#include "tests/fake/event_loop_step.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::key_message;
using testing::kMainWindow;
using testing::window_ref;

using namespace testing::child_ids;

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
    app.window().handle_message(
        key_message(KeyMessage::key_down, Key::tab, window_ref(fake.focus)));
    visited.push_back(fake.focus);
  }
  fake.modifiers.shift = false;
  return visited;
}

TEST_F(RunningApp, TabCyclesTheVisibleEnabledTabStopsAndWraps) {
  run_with([&] {
    EXPECT_EQ(tab_walk(fake, app, 7, false),
              (std::vector<int>{kSearchBox, kSaveBox, kSearchFolderButton, kSaveFolderButton,
                                kNameList, kStartButton, kSearchBox}));
    EXPECT_EQ(tab_walk(fake, app, 2, true), (std::vector<int>{kStartButton, kNameList}));
  });
}

TEST_F(RunningApp, EnabledViewButtonJoinsTheTabOrderAfterTheNameList) {
  run_with([&] {
    app.window().set_disabled(Control::按钮4, false);
    fake.focus = kNameList;
    EXPECT_EQ(tab_walk(fake, app, 2, false), (std::vector<int>{kViewButton, kStartButton}));
    EXPECT_EQ(tab_walk(fake, app, 1, true), (std::vector<int>{kViewButton}));
  });
}

TEST_F(RunningApp, TabKeysAreConsumedAndOtherKeysPassOn) {
  struct Case {
    const char* name;
    KeyMessage message;
    Key key;
    KeyModifiers modifiers;
    bool consumed;
  };
  const Case cases[] = {
      {"tab", KeyMessage::key_down, Key::tab, {}, true},
      {"shift tab", KeyMessage::key_down, Key::tab, {false, true, false}, true},
      {"ctrl tab", KeyMessage::key_down, Key::tab, {true, false, false}, false},
      {"alt tab", KeyMessage::sys_key_down, Key::tab, {false, false, true}, false},
      {"enter", KeyMessage::key_down, Key::enter, {}, false},
      {"letter", KeyMessage::key_down, Key::other, {}, false},
      {"tab character message", KeyMessage::other, Key::tab, {}, false},
      {"shift escape", KeyMessage::key_down, Key::escape, {false, true, false}, false},
  };
  run_with([&] {
    for (const auto& c : cases) {
      fake.focus = kNameList;
      fake.modifiers = c.modifiers;
      const auto dispatched = fake.log.size();
      app.window().handle_message(key_message(c.message, c.key, window_ref(kNameList)));
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
    fake.windows[window_ref(kViewButton)] = false;
    fake.controls[kViewButton].enabled = false;
    app.window().handle_message(
        key_message(KeyMessage::key_down, Key::escape, window_ref(kViewButton)));
    EXPECT_TRUE(fake.main_window);
  });
}

TEST_F(RunningApp, EscapeClosesFromEveryControlAndTheProgramExitsWithZero) {
  for (const int control :
       {kStartButton, kSearchBox, kSaveBox, kSearchFolderButton, kSaveFolderButton, kNameList}) {
    FakePlatform local;
    App local_app(local);
    local.post_key(Key::escape, window_ref(control));
    EXPECT_EQ(local_app.run(), 0) << control;
    EXPECT_FALSE(local.main_window) << control;
    EXPECT_EQ(local_app.state(), AppState::ended) << control;
  }
}

TEST_F(RunningApp, FocusIsRememberedAcrossDeactivation) {
  run_with([&] {
    app.on_deactivated(kSaveBox);
    EXPECT_EQ(app.on_focus_received(), kSaveBox);
    app.on_deactivated(0);  // focus outside the window: the last control is kept
    EXPECT_EQ(app.on_focus_received(), kSaveBox);
  });
}

TEST_F(RunningApp, ButtonClicksAndMenuChoicesFollowTheDispatchRules) {
  struct Case {
    const char* name;
    unsigned id;
    Notification notification;
    bool handled;
  };
  const Case cases[] = {
      {"system command range is ignored", 0xE100, Notification::click, true},
      {"menu header runs nothing", kSettingsHeader, Notification::click, true},
      {"identifier past the menu runs nothing", kUsageEntry + 1, Notification::click, true},
      {"control notification other than a click gets standard handling", kSearchBox,
       Notification::other, false},
      {"click of an unknown control gets standard handling", 999, Notification::click, false},
      {"click of a label gets standard handling", kInstructionLabel, Notification::click, false},
  };
  run_with([&] {
    for (const auto& c : cases)
      EXPECT_EQ(app.on_command(c.id, c.notification), c.handled) << c.name;
    EXPECT_TRUE(fake.message_boxes.empty());
  });
}

TEST_F(RunningApp, ReadingAnEmptyBoxGivesTheEmptyText) {
  run_with([&] {
    EXPECT_TRUE(app.window().read_text(Control::搜索路径框).empty());
    app.window().write_text(Control::搜索路径框, "D:\\Photos\\");
    EXPECT_EQ(app.window().read_text(Control::搜索路径框), "D:\\Photos\\");
    fake.controls[kNameList].text = "a.jpg\r\nb.jpg";
    EXPECT_EQ(app.window().read_text(Control::编辑框1), "a.jpg\r\nb.jpg")
        << "lines exactly as held";
  });
}

TEST_F(RunningApp, SetDisabledChangesTheRecordEvenAfterTheWindowIsGone) {
  run_with([&] {
    EXPECT_TRUE(app.window().disabled(Control::按钮4));
    app.window().set_disabled(Control::按钮4, false);
    EXPECT_TRUE(fake.controls[kViewButton].enabled);
    fake.close_main_window();
    const auto calls = fake.log.size();
    app.window().set_disabled(Control::按钮1, true);
    EXPECT_TRUE(app.window().disabled(Control::按钮1));
    EXPECT_EQ(fake.log.size(), calls) << "no window call once the window is gone";
  });
  EXPECT_EQ(exit_code, 0);
}

TEST_F(RunningApp, ShowMessageAddsTaskModalUnlessSystemModalAndDefaultsTheTitle) {
  struct Case {
    const char* name;
    MessageBoxStyle style;
    std::optional<TextView> title;
    MessageBoxStyle expected_style;
    const char* expected_title;
  };
  const Case cases[] = {
      {"plain message", MessageBoxStyle::ok, std::nullopt, MessageBoxStyle::task_modal, "信息："},
      {"own title", MessageBoxStyle::ok, "KestrafilV1.0", MessageBoxStyle::task_modal,
       "KestrafilV1.0"},
      {"system modal kept", MessageBoxStyle::system_modal, std::nullopt,
       MessageBoxStyle::system_modal, "信息："},
  };
  run_with([&] {
    for (const auto& c : cases) {
      fake.message_boxes.clear();
      app.window().show_message("text", c.style, c.title);
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
      fake.active = {};
      fake.foreground = {};
    };
    app.window().show_message("text");
    EXPECT_EQ(fake.foreground, kMainWindow);
    EXPECT_EQ(fake.active, kMainWindow);
  });
}

TEST_F(RunningApp, ShowMessageActivatesNothingWhenNothingWasActive) {
  run_with([&] {
    fake.log.clear();
    app.window().show_message("text");
    EXPECT_EQ(fake.log, std::vector<std::string>{"message_box 信息："});
  });
}

}  // namespace
}  // namespace kestrafil
