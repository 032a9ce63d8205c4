#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "folders/folder_picker.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::kMainWindow;

constexpr ItemListRef kItemList{0x7001};
constexpr WindowRef kDisabledHelper{0x2000};  // a second top-level window, already disabled
constexpr WindowRef kOtherProgram{0x3000};    // another program's window in the foreground

// The program's main window is active and enabled, a helper window of its own is disabled, and
// another program has the foreground.
FakePlatform program_with_two_top_level_windows() {
  FakePlatform fake;
  fake.windows = {{kMainWindow, true}, {kDisabledHelper, false}, {kOtherProgram, true}};
  fake.top_levels = {kMainWindow, kDisabledHelper};
  fake.active = kMainWindow;
  fake.foreground = kOtherProgram;
  fake.picked_item_list = kItemList;
  fake.picked_path = "D:\\Data";
  return fake;
}

bool logged(const FakePlatform& fake, const std::string& line) {
  return std::find(fake.log.begin(), fake.log.end(), line) != fake.log.end();
}

bool logged_starting(const FakePlatform& fake, const std::string& prefix) {
  return std::any_of(fake.log.begin(), fake.log.end(),
                     [&](const std::string& line) { return line.starts_with(prefix); });
}

TEST(FolderPicker, DisablesTheWindowsAroundThePickerThenRestoresStatesForegroundAndActive) {
  auto fake = program_with_two_top_level_windows();

  EXPECT_EQ(pick_folder(fake, "Title"), "D:\\Data");

  const std::vector<std::string> expected = {
      "enable_window 1000 0",
      "enable_window 2000 0",
      "browse_for_folder 1000 Title 10",  // owner: the active window; BIF_EDITBOX only
      "enable_window 1000 1",
      "enable_window 2000 0",  // the helper was disabled before and stays so
      "set_foreground_window 3000",
      "set_active_window 1000",
      "path_from_item_list 7001",
      "free_item_list 7001",
  };
  EXPECT_EQ(fake.log, expected);
}

TEST(FolderPicker, WithoutAConfirmedActiveWindowThePickerHasNoOwnerAndNothingIsActivated) {
  struct Case {
    const char* name;
    WindowRef active;
  };
  const Case cases[] = {
      {"no active window", WindowRef{}},
      {"active handle that is no window", WindowRef{0x4444}},
  };
  for (const auto& c : cases) {
    auto fake = program_with_two_top_level_windows();
    fake.active = c.active;

    pick_folder(fake, "Title");

    EXPECT_TRUE(logged(fake, "browse_for_folder 0 Title 10")) << c.name;
    EXPECT_FALSE(logged_starting(fake, "set_active_window")) << c.name;
    EXPECT_TRUE(logged(fake, "set_foreground_window 3000")) << c.name;
  }
}

TEST(FolderPicker, WindowsThatVanishedWhileItWasUpAreNotBroughtBack) {
  constexpr WindowRef kOwnedDialog{0x2500};  // active, and closed while the picker is up
  auto fake = program_with_two_top_level_windows();
  fake.windows[kOwnedDialog] = true;
  fake.active = kOwnedDialog;
  fake.while_picking = [&] {
    fake.windows.erase(kOwnedDialog);
    fake.windows.erase(kOtherProgram);
  };

  pick_folder(fake, "Title");

  EXPECT_FALSE(logged_starting(fake, "set_foreground_window"));
  EXPECT_FALSE(logged_starting(fake, "set_active_window"));
}

TEST(FolderPicker, CancelGivesTheEmptyTextAndTouchesNoItemListButStillRestoresTheWindows) {
  auto fake = program_with_two_top_level_windows();
  fake.picked_item_list = {};

  EXPECT_EQ(pick_folder(fake, "Title"), "");

  EXPECT_TRUE(logged(fake, "enable_window 1000 1"));
  EXPECT_TRUE(logged(fake, "set_active_window 1000"));
  EXPECT_FALSE(logged_starting(fake, "path_from_item_list"));
  EXPECT_FALSE(logged_starting(fake, "free_item_list"));
}

TEST(FolderPicker, ReleasesTheItemListThroughTheShellAllocatorWhenThereIsOne) {
  struct Case {
    const char* name;
    std::optional<std::string> path;
    bool allocator_available;
    const char* result;
    bool freed;
  };
  const Case cases[] = {
      {"folder with a path", "D:\\Data", true, "D:\\Data", true},
      {"item without a file-system path", std::nullopt, true, "", true},
      {"allocator unavailable", "D:\\Data", false, "D:\\Data", false},
  };
  for (const auto& c : cases) {
    auto fake = program_with_two_top_level_windows();
    fake.picked_path = c.path;
    fake.allocator_available = c.allocator_available;

    EXPECT_EQ(pick_folder(fake, "Title"), c.result) << c.name;

    EXPECT_EQ(fake.log.back(), c.freed ? "free_item_list 7001" : "free_item_list 7001 failed")
        << c.name;
    EXPECT_EQ(fake.live_item_lists.empty(), c.freed) << c.name;
  }
}

}  // namespace
}  // namespace kestrafil
