// The two folder commands with the shell's real folder picker: each button and its menu entry
// open it with their title, keep the program's window disabled while it is up, and write what
// was picked into their box; a cancel keeps what the box held.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/folder_picker.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

// Folders of the test's own, a short way down from the drive root in the picker's tree. The
// last one's name is a GBK character whose second byte is a backslash byte (D5 5C).
constexpr const char* kParent = "C:\\Kestrafil Picker";
constexpr const char* kOrdinary = "C:\\Kestrafil Picker\\Data";
constexpr const char* kBackslashByte = "C:\\Kestrafil Picker\\\xD5\x5C";

enum class Opener { button, menu_entry };

struct Source {
  const char* name;
  Opener opener;
  int id;  // the button's child identifier or the menu entry's command
  int box;
  const char* title;
  bool appends_backslash;
};

void PrintTo(const Source& source, std::ostream* out) {
  *out << source.name;
}

const Source kSources[] = {
    {"SearchButton", Opener::button, 160, k搜索路径框, "搜索路径", true},
    {"SearchMenuEntry", Opener::menu_entry, 20001, k搜索路径框, "搜索路径", true},
    {"SaveButton", Opener::button, 170, k保存路径框, "保存路径", false},
    {"SaveMenuEntry", Opener::menu_entry, 20002, k保存路径框, "保存路径", false},
};

enum class Close { ok_button, enter_key, cancel_button, esc_key };

enum class Pick { nothing, folder, computer };

// Run in this order in one program: each choice that gives no folder follows a box whose text
// it must keep.
struct Choice {
  const char* name;
  Pick pick;
  const char* folder;
  Close close;
  const char* search_box;  // the box afterwards, for each command
  const char* save_box;
};

const Choice kChoices[] = {
    {"cancel keeps typed text", Pick::nothing, nullptr, Close::cancel_button, "D:\\typed",
     "D:\\typed"},
    {"no file-system path keeps typed text", Pick::computer, nullptr, Close::ok_button, "D:\\typed",
     "D:\\typed"},
    {"ordinary folder", Pick::folder, kOrdinary, Close::ok_button, "C:\\Kestrafil Picker\\Data\\",
     "C:\\Kestrafil Picker\\Data"},
    {"same folder again", Pick::folder, kOrdinary, Close::enter_key, "C:\\Kestrafil Picker\\Data\\",
     "C:\\Kestrafil Picker\\Data"},
    {"Esc keeps the picked folder", Pick::nothing, nullptr, Close::esc_key,
     "C:\\Kestrafil Picker\\Data\\", "C:\\Kestrafil Picker\\Data"},
    {"drive root keeps its one backslash", Pick::folder, "C:\\", Close::ok_button, "C:\\", "C:\\"},
    {"last byte 0x5C inside a character", Pick::folder, kBackslashByte, Close::ok_button,
     "C:\\Kestrafil Picker\\\xD5\x5C\\", "C:\\Kestrafil Picker\\\xD5\x5C"},
};

bool make_pick(FolderPicker& picker, const Choice& choice) {
  switch (choice.pick) {
    case Pick::nothing:
      return true;
    case Pick::folder:
      return picker.select(choice.folder);
    case Pick::computer:
      return picker.select_computer();
  }
  return false;
}

bool close_picker(FolderPicker& picker, Close close) {
  switch (close) {
    case Close::ok_button:
      return picker.click(IDOK);
    case Close::enter_key:
      return picker.press_key(VK_RETURN);
    case Close::cancel_button:
      return picker.click(IDCANCEL);
    case Close::esc_key:
      return picker.press_key(VK_ESCAPE);
  }
  return false;
}

class FolderCommands : public testing::TestWithParam<Source> {
 protected:
  static void SetUpTestSuite() {
    for (const char* folder : {kParent, kOrdinary, kBackslashByte}) {
      CreateDirectoryA(folder, nullptr);
    }
  }

  static void TearDownTestSuite() {
    for (const char* folder : {kBackslashByte, kOrdinary, kParent}) RemoveDirectoryA(folder);
  }

  void open_picker() {
    const Source& source = GetParam();
    if (source.opener == Opener::button) {
      PostMessageA(app_.control(source.id), BM_CLICK, 0, 0);
    } else {
      PostMessageA(app_.main_window(), WM_COMMAND, static_cast<WPARAM>(source.id), 0);
    }
  }

  KestrafilProcess app_;
};

TEST_P(FolderCommands, FillTheirBoxFromThePickerAndKeepItOnCancel) {
  const Source& source = GetParam();
  const int other_box = source.box == k搜索路径框 ? k保存路径框 : k搜索路径框;
  HWND main = app_.main_window();
  SendMessageA(app_.control(source.box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("D:\\typed"));
  SendMessageA(app_.control(other_box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
  ASSERT_TRUE(bring_to_foreground(main));

  for (const auto& choice : kChoices) {
    SCOPED_TRACE(choice.name);
    open_picker();
    const auto picker = FolderPicker::wait_for(app_.process_id());
    ASSERT_NE(picker, nullptr) << "no folder picker came up";
    EXPECT_EQ(picker->title(), source.title);
    EXPECT_EQ(GetWindow(picker->dialog(), GW_OWNER), main) << "owned by the active window";
    EXPECT_FALSE(IsWindowEnabled(main)) << "the program's window is disabled under the picker";
    ASSERT_TRUE(make_pick(*picker, choice)) << "not in the picker's tree";
    ASSERT_TRUE(close_picker(*picker, choice.close));

    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(main) != FALSE; }, kReaction));
    EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == main; }, kReaction))
        << "the foreground returns to the program's window";
    const std::string expected = source.appends_backslash ? choice.search_box : choice.save_box;
    EXPECT_EQ(window_text(app_.control(source.box)), expected);
    EXPECT_EQ(window_text(app_.control(other_box)), "other");
  }
}

std::string source_name(const testing::TestParamInfo<Source>& source) {
  return source.param.name;
}

INSTANTIATE_TEST_SUITE_P(ButtonsAndMenuEntries, FolderCommands, testing::ValuesIn(kSources),
                         source_name);

}  // namespace
}  // namespace wine_test
