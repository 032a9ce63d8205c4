#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app.h"
#include "tests/fake/child_ids.h"
#include "tests/fake/event_loop_step.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;

using namespace testing::child_ids;

// Runs `step` inside the program's event loop, where menu choices run their commands.
void while_running(FakePlatform& fake, const std::function<void()>& step) {
  App app(fake);
  testing::run_step_in_event_loop(fake, app, step);
}

TEST(InfoBoxes, AboutShowsTheNameAndVersionAsTitleAndFirstLine) {
  FakePlatform fake;
  while_running(fake, [&] { fake.choose_menu(kAboutEntry); });

  ASSERT_EQ(fake.message_boxes.size(), 1u);
  const auto& box = fake.message_boxes[0];
  EXPECT_EQ(box.title, "KestrafilV1.0");
  EXPECT_EQ(box.text.substr(0, box.text.find("\r\n")), "KestrafilV1.0");
  EXPECT_EQ(box.style, MessageBoxStyle::task_modal);
}

TEST(InfoBoxes, UsageShowsTheFiveStepsInGbk) {
  FakePlatform fake;
  while_running(fake, [&] { fake.choose_menu(kUsageEntry); });

  // Written as bytes, so that the check holds whatever the compiler does with the source text.
  const std::string usage =
      "\x31\x2e\xca\xd7\xcf\xc8\xc7\xeb\xbd\xab\xd0\xe8\xd2\xaa\xcb\xd1\xcb\xf7\xb5\xc4\xce\xc4"
      "\xbc\xfe\xc3\xfb\x28\xb0\xfc\xba\xac\xc0\xa9\xd5\xb9\xc3\xfb\x29\xd5\xb3\xcc\xf9\xb5\xbd"
      "\xb1\xbe\xc8\xed\xbc\xfe\xcf\xc2\xb7\xbd\xb5\xc4\xce\xc4\xb1\xbe\xbf\xf2\xc4\xda\xa3\xac"
      "\xd7\xa2\xd2\xe2\xa3\xba\xc3\xbf\xd0\xd0\xb1\xd8\xd0\xeb\xca\xc7\xd2\xbb\xb8\xf6\xce\xc4"
      "\xbc\xfe\xc3\xfb\xc7\xd2\xb1\xd8\xd0\xeb\xb0\xfc\xba\xac\xc0\xa9\xd5\xb9\xc3\xfb\xa3\xa1"
      "\x0d\x0a\x32\x2e\xd1\xa1\xd4\xf1\xcb\xd1\xcb\xf7\xc2\xb7\xbe\xb6\x0d\x0a\x33\x2e\xd1\xa1"
      "\xd4\xf1\xb1\xa3\xb4\xe6\xc2\xb7\xbe\xb6\xbc\xb4\xbf\xc9\x0d\x0a\x34\x2e\xb5\xe3\xbb\xf7"
      "\xbf\xaa\xca\xbc\x0d\x0a\x35\x2e\xb4\xfd\xcb\xd1\xcb\xf7\xd6\xb4\xd0\xd0\xcd\xea\xb1\xcf"
      "\xa3\xac\xbf\xc9\xb5\xe3\xbb\xf7\xb2\xe9\xbf\xb4\xb0\xb4\xc5\xa5\xb2\xe9\xbf\xb4\xcb\xd1"
      "\xb5\xbd\xb5\xc4\xce\xc4\xbc\xfe";

  ASSERT_EQ(fake.message_boxes.size(), 1u);
  const auto& box = fake.message_boxes[0];
  EXPECT_EQ(box.title, "\xca\xb9\xd3\xc3\xb0\xef\xd6\xfa");  // 使用帮助
  EXPECT_EQ(box.text.size(), 206u);
  EXPECT_EQ(box.text, usage);
  EXPECT_EQ(box.style, MessageBoxStyle::task_modal);
}

TEST(InfoBoxes, ShowTheirBoxAndChangeNothingElse) {
  struct Case {
    const char* name;
    int menu_entry;
  };
  const Case cases[] = {{"about", kAboutEntry}, {"usage", kUsageEntry}};
  for (const auto& c : cases) {
    FakePlatform fake;
    std::vector<std::string> during;
    std::map<int, testing::FakeControl> controls_before;
    int focus_before = 0;
    while_running(fake, [&] {
      controls_before = fake.controls;
      focus_before = fake.focus;
      const auto logged_before = fake.log.size();
      fake.choose_menu(c.menu_entry);
      during.assign(fake.log.begin() + static_cast<long>(logged_before), fake.log.end());
    });

    ASSERT_EQ(during.size(), 1u) << c.name;
    EXPECT_TRUE(during[0].starts_with("message_box ")) << c.name;
    EXPECT_EQ(fake.focus, focus_before) << c.name;
    for (const auto& [id, control] : controls_before) {
      EXPECT_EQ(fake.controls[id].text, control.text) << c.name << " " << id;
      EXPECT_EQ(fake.controls[id].enabled, control.enabled) << c.name << " " << id;
    }
  }
}

}  // namespace
}  // namespace kestrafil
