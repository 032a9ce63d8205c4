#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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
using testing::kMainWindow;

constexpr ItemListRef kItemList{0x7001};
using namespace testing::child_ids;

const std::string kTypedSearch = "E:\\typed search";
const std::string kTypedSave = "F:\\typed save";

// Runs `step` inside the program's event loop, where clicks and menu choices run their commands;
// the main window stays, so its boxes can be read afterwards.
void while_running(FakePlatform& fake, const std::function<void()>& step) {
  App app(fake);
  fake.active = kMainWindow;
  fake.foreground = kMainWindow;
  fake.top_levels = {kMainWindow};
  testing::run_step_in_event_loop(fake, app, step);
}

struct FolderCommand {
  const char* name;
  int button;
  int menu_entry;
  int box;
  int other_box;
  std::string title;
};

const FolderCommand kCommands[] = {
    {"search folder", kSearchFolderButton, kSearchFolderEntry, kSearchBox, kSaveBox, "搜索路径"},
    {"save folder", kSaveFolderButton, kSaveFolderEntry, kSaveBox, kSearchBox, "保存路径"},
};

struct Trigger {
  const char* name;
  bool menu;
};

const Trigger kTriggers[] = {{"button", false}, {"menu entry", true}};

void run(FakePlatform& fake, const FolderCommand& command, const Trigger& trigger) {
  if (trigger.menu) {
    fake.choose_menu(command.menu_entry);
  } else {
    fake.click(command.button);
  }
}

TEST(FolderCommands, FillTheirBoxFromThePickerTheSameFromButtonAndMenuEntry) {
  const std::string longest(259, 'x');  // the most that a MAX_PATH buffer holds
  struct Pick {
    const char* name;
    ItemListRef item_list;
    std::optional<std::string> path;
    std::string search_box;
    std::string save_box;
  };
  const Pick picks[] = {
      {"ordinary folder", kItemList, "D:\\Data", "D:\\Data\\", "D:\\Data"},
      {"drive root keeps its single backslash", kItemList, "C:\\", "C:\\", "C:\\"},
      {"network folder", kItemList, "\\\\server\\share", "\\\\server\\share\\",
       "\\\\server\\share"},
      {"GBK name whose last trail byte is 0x5C", kItemList, "D:\\\xD5\x5C", "D:\\\xD5\x5C\\",
       "D:\\\xD5\x5C"},
      {"longest path", kItemList, longest, longest + "\\", longest},
      {"cancel keeps the typed text", {}, std::nullopt, kTypedSearch, kTypedSave},
      {"item without a file-system path keeps the typed text", kItemList, std::nullopt,
       kTypedSearch, kTypedSave},
  };
  for (const auto& pick : picks) {
    for (const auto& command : kCommands) {
      for (const auto& trigger : kTriggers) {
        FakePlatform fake;
        fake.picked_item_list = pick.item_list;
        fake.picked_path = pick.path;
        while_running(fake, [&] {
          fake.controls[kSearchBox].text = kTypedSearch;
          fake.controls[kSaveBox].text = kTypedSave;
          run(fake, command, trigger);
        });
        const auto where = std::string(pick.name) + ", " + command.name + " by " + trigger.name;

        const auto& expected = command.box == kSearchBox ? pick.search_box : pick.save_box;
        EXPECT_EQ(fake.text_of(command.box), expected) << where;
        EXPECT_EQ(fake.text_of(command.other_box),
                  command.other_box == kSearchBox ? kTypedSearch : kTypedSave)
            << where;
        EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(),
                             "browse_for_folder 1000 " + command.title + " 10"),
                  1)
            << where;
      }
    }
  }
}

TEST(FolderCommands, PickingTheSameFolderAgainGivesTheSameText) {
  for (const auto& command : kCommands) {
    FakePlatform fake;
    fake.picked_item_list = kItemList;
    fake.picked_path = "D:\\Data";
    std::vector<std::string> texts;
    while_running(fake, [&] {
      for (const auto& trigger : kTriggers) {
        run(fake, command, trigger);
        texts.push_back(fake.text_of(command.box));
      }
    });
    const auto expected = command.box == kSearchBox ? "D:\\Data\\" : "D:\\Data";
    EXPECT_EQ(texts, (std::vector<std::string>{expected, expected})) << command.name;
  }
}

}  // namespace
}  // namespace kestrafil
