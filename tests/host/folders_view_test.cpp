#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
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

// Runs `step` inside the program's event loop, where clicks run their commands, after the Start
// command would have enabled the view button.
void while_running(FakePlatform& fake, const std::function<void()>& step) {
  App app(fake);
  testing::run_step_in_event_loop(fake, app, [&] {
    app.window().set_disabled(Control::按钮4, false);
    step();
  });
}

TEST(ViewCommand, OpensTheSaveBoxTextExactlyAsItReads) {
  struct Case {
    const char* name;
    std::string box;
    std::map<std::string, WindowRef> titled_windows;
    WindowRef owner;
  };
  constexpr WindowRef kBrowser{0x4E00};
  const Case cases[] = {
      {"empty box, no owner", "", {}, WindowRef{}},
      {"typed folder, Internet Explorer as owner",
       "E:\\My Files",
       {{"Microsoft Internet Explorer", kBrowser}},
       kBrowser},
      {"drive root keeps its backslash", "D:\\", {}, WindowRef{}},
      {"a title that only contains the name is no owner",
       "E:\\My Files",
       {{"Blank Page - Microsoft Internet Explorer", kBrowser}},
       WindowRef{}},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.titled_windows = c.titled_windows;
    while_running(fake, [&] {
      fake.controls[kSaveBox].text = c.box;
      fake.click(kViewButton);
    });

    EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(),
                         "find_top_level_window Microsoft Internet Explorer"),
              1)
        << c.name;
    ASSERT_EQ(fake.shell_executes.size(), 1u) << c.name;
    const auto& call = fake.shell_executes[0];
    EXPECT_EQ(call.owner, c.owner) << c.name;
    EXPECT_EQ(call.verb, "open") << c.name;
    EXPECT_EQ(call.file, std::optional<std::string>(c.box)) << c.name;  // "" for empty, not null
    EXPECT_EQ(call.parameters, std::nullopt) << c.name;
    EXPECT_EQ(call.directory, std::nullopt) << c.name;
    EXPECT_EQ(call.show, ShowCommand::normal) << c.name;
  }
}

TEST(ViewCommand, EachClickOpensTheFolderTheBoxNamesAtThatMoment) {
  FakePlatform fake;
  while_running(fake, [&] {
    fake.controls[kSaveBox].text = "D:\\Found";
    fake.click(kViewButton);
    fake.click(kViewButton);
    fake.controls[kSaveBox].text = "D:\\Changed later";
    fake.click(kViewButton);
  });

  std::vector<std::string> files;
  for (const auto& call : fake.shell_executes) files.push_back(call.file.value_or("(null)"));
  EXPECT_EQ(files, (std::vector<std::string>{"D:\\Found", "D:\\Found", "D:\\Changed later"}));
}

}  // namespace
}  // namespace kestrafil
