// Every platform operation that a command uses fails in turn, and every piece of text memory
// that a command asks for cannot be had in turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/app.h"
#include "tests/fake/child_ids.h"
#include "tests/fake/event_loop_step.h"
#include "tests/fake/fake_platform.h"
#include "window/script_body.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;
using testing::kMainWindow;
using testing::ProcessExit;

using namespace testing::child_ids;

constexpr ItemListRef kItemList{0x7001};

// Each longer than a string keeps inside itself, so that each one asks for text memory.
const std::string kNames = "holiday 2019.jpg\r\nnotes.txt";
const std::string kSearch = "D:\\Photos\\Holiday 2019";
const std::string kSave = "E:\\Found Files\\Today";
const std::string kPicked = "D:\\Data\\Pictures 2020";

const std::string kListPath = "C:\\Tools/file.txt";
const std::string kScriptPath = "C:\\Temp\\/XXXX.BAT";
const std::string kCommandLine =
    "\"C:\\Windows\\system32\\cmd.exe\" /d /e:on /v:off /s /c \"\"%KESTRAFIL_SCRIPT%\"\"";
const std::string kListFailed = "无法写入文件：" + kListPath + "\r\n";
const std::string kScriptFailed = "无法写入文件：" + kScriptPath + "\r\n";
const std::string kStartFailed = "无法启动搜索：";
const std::string kAccessDenied = "系统错误 5。";

std::string script_naming(const std::string& list_folder) {
  return "@echo off\r\nset \"jpgname=" + list_folder + "/file.txt\"\r\nset \"jpgpath=" + kSearch +
         "\\\"\r\nset \"Udrvpath=" + kSave + "\\\"\r\n" + std::string(kScriptBody);
}

// A command as the user runs it, once the boxes hold kNames, kSearch and kSave.
struct UserCommand {
  const char* name;
  std::function<void(FakePlatform&, App&)> run;
  // Texts whose memory the command must ask for, so that the memory sweep covers them.
  std::vector<std::string> asks_memory_for;
};

const UserCommand kStart{"Start",
                         [](FakePlatform& f, App&) { f.click(kStartButton); },
                         {kNames, kSearch, script_naming("C:\\Tools")}};
const UserCommand kStartWithoutNames{"Start without names",
                                     [](FakePlatform& f, App&) {
                                       f.controls[kNameList].text.clear();
                                       f.click(kStartButton);
                                     },
                                     {}};
const UserCommand kSearchFolder{
    "search folder", [](FakePlatform& f, App&) { f.click(kSearchFolderButton); }, {kPicked}};
const UserCommand kSaveFolder{
    "save folder", [](FakePlatform& f, App&) { f.click(kSaveFolderButton); }, {kPicked}};
const UserCommand kView{"view",
                        [](FakePlatform& f, App& app) {
                          app.window().set_disabled(Control::按钮4, false);  // as Start left it
                          f.click(kViewButton);
                        },
                        {kSave}};
const UserCommand kAbout{"About", [](FakePlatform& f, App&) { f.choose_menu(kAboutEntry); }, {}};
const UserCommand kUsage{"usage", [](FakePlatform& f, App&) { f.choose_menu(kUsageEntry); }, {}};

// What a command leaves that the user or the job can see, and the item lists left unfreed.
struct World {
  std::map<std::string, std::string> files{};
  std::vector<std::string> started{};
  std::string search_box = kSearch;
  std::string save_box = kSave;
  bool view_enabled = false;
  std::vector<std::string> opened{};
  std::vector<std::string> messages{};
  std::set<ItemListRef> unfreed_item_lists{};

  bool operator==(const World&) const = default;
};

void PrintTo(const World& world, std::ostream* out) {
  *out << "{files:";
  for (const auto& [path, bytes] : world.files) *out << " [" << path << "]=" << bytes.size() << "B";
  *out << "; started:";
  for (const auto& line : world.started) *out << " " << line;
  *out << "; search box: " << world.search_box << "; save box: " << world.save_box
       << "; view enabled: " << world.view_enabled << "; opened:";
  for (const auto& file : world.opened) *out << " [" << file << "]";
  *out << "; messages:";
  for (const auto& text : world.messages) *out << " [" << text << "]";
  *out << "; unfreed item lists:";
  for (const auto list : world.unfreed_item_lists) *out << " " << static_cast<std::uintptr_t>(list);
  *out << "}";
}

World after_start() {
  return {.files = {{kListPath, kNames}, {kScriptPath, script_naming("C:\\Tools")}},
          .started = {kCommandLine},
          .view_enabled = true};
}
World failed_start(std::map<std::string, std::string> files, const std::string& message) {
  return {.files = std::move(files), .view_enabled = true, .messages = {message}};
}
World after_search_pick() {
  return {.search_box = kPicked + "\\"};
}
World after_save_pick() {
  return {.save_box = kPicked};
}
World after_view() {
  return {.view_enabled = true, .opened = {kSave}};
}
World untouched_boxes() {
  return {};
}
World changed(World world, const std::function<void(World&)>& change) {
  change(world);
  return world;
}

struct RunResult {
  int exit_code = 0;
  std::size_t first_allocation = 0;  // the range of fake.allocation_sizes that the command made
  std::size_t end_allocation = 0;
};

// Runs the command inside the event loop with the picker set to give kPicked; `fault` then
// changes the platform. A fatal error ends the run through the fake's exit.
RunResult run_command(FakePlatform& fake, const UserCommand& command,
                      const std::function<void(FakePlatform&)>& fault) {
  fake.top_levels = {kMainWindow};
  fake.active = kMainWindow;
  fake.foreground = kMainWindow;
  fake.picked_item_list = kItemList;
  fake.picked_path = kPicked;
  if (fault) fault(fake);
  App app(fake);
  RunResult result;
  try {
    result.exit_code = testing::run_step_in_event_loop(fake, app, [&] {
      fake.controls[kNameList].text = kNames;
      fake.controls[kSearchBox].text = kSearch;
      fake.controls[kSaveBox].text = kSave;
      result.first_allocation = fake.allocation_sizes.size();
      command.run(fake, app);
      result.end_allocation = fake.allocation_sizes.size();
    });
  } catch (const ProcessExit& exit) {
    result.exit_code = exit.code;
  }
  return result;
}

World world_of(const FakePlatform& fake) {
  World world{.files = fake.files,
              .started = fake.started,
              .search_box = fake.text_of(kSearchBox),
              .save_box = fake.text_of(kSaveBox),
              .view_enabled = fake.controls.at(kViewButton).enabled,
              .unfreed_item_lists = fake.live_item_lists};
  for (const auto& call : fake.shell_executes) world.opened.push_back(call.file.value_or("(null)"));
  for (const auto& box : fake.message_boxes) world.messages.push_back(box.text);
  return world;
}

// Kernel handles closed, the shell allocator given back, the main window usable again.
void expect_nothing_held(const FakePlatform& fake, const std::string& where) {
  EXPECT_EQ(fake.open_handles, (std::map<std::uintptr_t, std::string>{})) << where;
  EXPECT_TRUE(!fake.windows.contains(kMainWindow) || fake.windows.at(kMainWindow)) << where;
}

TEST(Faults, EachFailingOperationLeavesItsCommandOnCourseWithoutStrayBoxesOrLeaks) {
  struct Row {
    const char* name;
    const UserCommand& command;
    std::function<void(FakePlatform&)> fault;
    World outcome;
  };
  const Row rows[] = {
      {"nothing fails", kStart, {}, after_start()},
      // A job whose files cannot be written whole, or that cannot start, starts nothing and
      // says what failed; once the tests have passed, 按钮4 is enabled all the same.
      {"the current directory cannot be reported", kStart,
       [](FakePlatform& f) { f.fail_current_directory = true; },
       failed_start({}, "无法写入文件：file.txt\r\n" + kAccessDenied)},
      {"the temporary directory cannot be reported", kStart,
       [](FakePlatform& f) { f.fail_temp_path = true; },
       failed_start({{kListPath, kNames}}, "无法写入文件：XXXX.BAT\r\n" + kAccessDenied)},
      {"the name list cannot be created", kStart,
       [](FakePlatform& f) { f.fail_create_file = kListPath; },
       failed_start({}, kListFailed + kAccessDenied)},
      {"the script cannot be created", kStart,
       [](FakePlatform& f) { f.fail_create_file = kScriptPath; },
       failed_start({{kListPath, kNames}}, kScriptFailed + kAccessDenied)},
      {"every write stops short", kStart, [](FakePlatform& f) { f.short_write = 5; },
       failed_start({{kListPath, "holid"}}, kListFailed + "系统错误 112。")},
      {"every write fails", kStart, [](FakePlatform& f) { f.fail_write = true; },
       failed_start({{kListPath, ""}}, kListFailed + kAccessDenied)},
      {"every close fails", kStart, [](FakePlatform& f) { f.fail_close = true; },
       failed_start({{kListPath, kNames}}, kListFailed + kAccessDenied)},
      {"the system directory cannot be reported", kStart,
       [](FakePlatform& f) { f.fail_system_directory = true; },
       failed_start(after_start().files, kStartFailed + kAccessDenied)},
      {"the script cannot be started", kStart,
       [](FakePlatform& f) { f.fail_create_process = true; },
       failed_start(after_start().files, kStartFailed + kAccessDenied)},
      {"the lock cannot be handed to the script", kStart,
       [](FakePlatform& f) { f.fail_duplicate = true; },
       failed_start(after_start().files, kStartFailed + kAccessDenied)},
      {"the script cannot be resumed", kStart, [](FakePlatform& f) { f.fail_resume = true; },
       failed_start(after_start().files, kStartFailed + kAccessDenied)},
      {"the lock cannot be made", kStart, [](FakePlatform& f) { f.fail_named_event = true; },
       changed(failed_start({}, kStartFailed + kAccessDenied),
               [](World& w) { w.view_enabled = false; })},
      {"the wait for the started script fails", kStart,
       [](FakePlatform& f) { f.fail_input_idle = true; }, after_start()},

      {"nothing fails", kSearchFolder, {}, after_search_pick()},
      {"the picker is cancelled", kSearchFolder, [](FakePlatform& f) { f.picked_item_list = {}; },
       untouched_boxes()},
      {"the item has no file-system path", kSearchFolder,
       [](FakePlatform& f) { f.picked_path.reset(); }, untouched_boxes()},
      // Without the allocator the list cannot be freed; the command still fills its box.
      {"the shell allocator cannot be had", kSearchFolder,
       [](FakePlatform& f) { f.allocator_available = false; },
       changed(after_search_pick(), [](World& w) { w.unfreed_item_lists = {kItemList}; })},

      {"nothing fails", kSaveFolder, {}, after_save_pick()},
      {"the picker is cancelled", kSaveFolder, [](FakePlatform& f) { f.picked_item_list = {}; },
       untouched_boxes()},
      {"the item has no file-system path", kSaveFolder,
       [](FakePlatform& f) { f.picked_path.reset(); }, untouched_boxes()},
      {"the shell allocator cannot be had", kSaveFolder,
       [](FakePlatform& f) { f.allocator_available = false; },
       changed(after_save_pick(), [](World& w) { w.unfreed_item_lists = {kItemList}; })},

      {"nothing fails", kView, {}, after_view()},
      {"the shell cannot open the folder", kView,
       [](FakePlatform& f) { f.fail_shell_execute = true; }, after_view()},
  };
  for (const auto& row : rows) {
    const auto where = std::string(row.command.name) + ": " + row.name;
    FakePlatform fake;
    EXPECT_EQ(run_command(fake, row.command, row.fault).exit_code, 0) << where;
    EXPECT_EQ(world_of(fake), row.outcome) << where;
    expect_nothing_held(fake, where);
  }

  // About and usage hand their fixed texts to the message box as they are.
  for (const auto* command : {&kAbout, &kUsage}) {
    FakePlatform clean;
    const auto made = run_command(clean, *command, {});
    ASSERT_EQ(made.exit_code, 0) << command->name;
    EXPECT_EQ(made.first_allocation, made.end_allocation) << command->name << " asks for memory";
  }

  // Every allocation that a command makes fails in turn, in an otherwise identical run.
  for (const auto* command : {&kStart, &kStartWithoutNames, &kSearchFolder, &kSaveFolder, &kView}) {
    FakePlatform clean;
    const auto made = run_command(clean, *command, {});
    ASSERT_EQ(made.exit_code, 0) << command->name;
    const std::vector<std::size_t> sizes(
        clean.allocation_sizes.begin() + static_cast<long>(made.first_allocation),
        clean.allocation_sizes.begin() + static_cast<long>(made.end_allocation));
    EXPECT_FALSE(sizes.empty()) << command->name << " asks for no text memory at all";
    for (const auto& text : command->asks_memory_for) {
      EXPECT_NE(std::find(sizes.begin(), sizes.end(), text.size() + 1), sizes.end())
          << command->name << " never asks for the memory of " << text;
    }

    for (std::size_t n = made.first_allocation; n < made.end_allocation; ++n) {
      const auto bytes = clean.allocation_sizes[n];
      const auto where = std::string(command->name) + ": no memory for " + std::to_string(bytes) +
                         " bytes (allocation " + std::to_string(n) + ")";
      FakePlatform fake;
      EXPECT_EQ(
          run_command(fake, *command, [n](FakePlatform& f) { f.fail_allocation_at = n; }).exit_code,
          kFatalExitCode)
          << where;
      ASSERT_EQ(fake.message_boxes.size(), 1u) << where;
      EXPECT_EQ(fake.message_boxes[0].title, "错误") << where;
      EXPECT_EQ(fake.message_boxes[0].text,
                "运行时出错!\r\n\r\n错误信息：分配 " + std::to_string(bytes) + " 字节内存失败!\r\n")
          << where;
      EXPECT_EQ(fake.ole_initialized, 0) << where;
      EXPECT_TRUE(fake.live_item_lists.empty()) << where;
      expect_nothing_held(fake, where);
    }
  }
}

}  // namespace
}  // namespace kestrafil
