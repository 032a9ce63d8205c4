// The menu bar's identifiers, checked through the commands they run: menu handles cannot be
// read from another process.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/message_box.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

struct InformationRow {
  const char* entry;
  WPARAM command;
  std::string_view title;
};

constexpr InformationRow kInformationEntries[] = {
    {"关于", 20003, "KestrafilV1.0"},
    {"使用说明", 20005, "使用帮助"},
};

TEST(MenuCommands, InformationEntriesShowTheirModalBoxes) {
  for (const auto& row : kInformationEntries) {
    SCOPED_TRACE(row.entry);
    KestrafilProcess app;
    PostMessageA(app.main_window(), WM_COMMAND, row.command, 0);
    const auto box = wait_for_message_box(app.process_id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, row.title);
    EXPECT_FALSE(box->text.empty());
    EXPECT_FALSE(IsWindowEnabled(app.main_window())) << "the box is task-modal";
    ASSERT_TRUE(close_message_box(box->box));
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(app.main_window()) != FALSE; }, kReaction));
  }
}

struct IdleRow {
  const char* name;
  WPARAM command;
};

constexpr IdleRow kIdleIdentifiers[] = {
    {"header 设置", 20000},
    {"header 帮助", 20004},
    {"past the last entry", 20006},
    {"first reserved identifier", 0xE100},
    {"last reserved identifier", 0xFFFF},
};

// Sent rather than posted: the call returns only once the program has handled it, so a
// command that opened a box or picker would still be on the screen.
TEST(MenuCommands, HeadersAndUnknownIdentifiersRunNothing) {
  KestrafilProcess app;
  for (const auto& row : kIdleIdentifiers) {
    SCOPED_TRACE(row.name);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(app.main_window(), WM_COMMAND, row.command, 0, SMTO_ABORTIFHUNG,
                                  5000, &result),
              0)
        << "the program did not return from the command";
    EXPECT_EQ(visible_top_level_windows(app.process_id()), std::vector<HWND>{app.main_window()});
    EXPECT_TRUE(IsWindowEnabled(app.main_window()));
  }
}

}  // namespace
}  // namespace wine_test
