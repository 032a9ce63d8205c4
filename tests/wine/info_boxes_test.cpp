// The About and usage boxes as the user meets them: their exact texts, and a window that is as
// it was once a box is closed by its button, by Enter or by Esc.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/message_box.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

constexpr std::string_view kUsageText =
    "1.首先请将需要搜索的文件名(包含扩展名)粘贴到本软件下方的文本框内，"
    "注意：每行必须是一个文件名且必须包含扩展名！\r\n"
    "2.选择搜索路径\r\n"
    "3.选择保存路径即可\r\n"
    "4.点击开始\r\n"
    "5.待搜索执行完毕，可点击查看按钮查看搜到的文件";
static_assert(kUsageText.size() == 206, "the usage text is 206 GBK bytes");

struct InformationBox {
  const char* name;
  WPARAM command;
  std::string_view title;
  std::string_view first_line;
  bool whole_text;  // the About box may go on after its first line
};

const InformationBox kBoxes[] = {
    {"About", 20003, "KestrafilV1.0", "KestrafilV1.0", false},
    {"Usage", 20005, "使用帮助", kUsageText, true},
};

enum class Close { ok_button, enter_key, esc_key };

struct Closing {
  const char* name;
  Close close;
};

const Closing kClosings[] = {
    {"OK button", Close::ok_button},
    {"Enter", Close::enter_key},
    {"Esc", Close::esc_key},
};

bool close_box(HWND box, Close close) {
  if (close == Close::ok_button) return close_message_box(box);
  if (!bring_to_foreground(box)) return false;
  press(close == Close::enter_key ? VK_RETURN : VK_ESCAPE);
  return wait_until([box] { return !IsWindow(box); }, kReaction);
}

struct WindowState {
  std::string search_folder, save_folder, names;
  int focus;
  bool view_enabled;
  friend bool operator==(const WindowState&, const WindowState&) = default;
  friend std::ostream& operator<<(std::ostream& out, const WindowState& s) {
    return out << "{" << s.search_folder << ", " << s.save_folder << ", " << s.names << ", focus "
               << s.focus << ", view " << s.view_enabled << "}";
  }
};

WindowState state_of(const KestrafilProcess& app) {
  return {window_text(app.control(k搜索路径框)), window_text(app.control(k保存路径框)),
          window_text(app.control(k编辑框1)), focused_control(app.main_window()),
          IsWindowEnabled(app.control(k按钮4)) != FALSE};
}

void set_text(HWND control, const char* text) {
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

TEST(InformationBoxes, ShowTheirTextsAndLeaveTheWindowAsItWasHoweverClosed) {
  KestrafilProcess app;
  HWND main = app.main_window();
  set_text(app.control(k搜索路径框), "D:\\Data\\");
  set_text(app.control(k保存路径框), "D:\\Copies");
  set_text(app.control(k编辑框1), "a.txt\r\nb.txt");
  ASSERT_TRUE(bring_to_foreground(main));
  ASSERT_TRUE(wait_for_focus(main, k按钮1));
  // A focus away from where the window starts, so that a window that merely starts over is
  // told apart from one that was left as it was.
  press(VK_TAB);
  ASSERT_TRUE(wait_for_focus(main, k搜索路径框));
  press(VK_TAB);
  ASSERT_TRUE(wait_for_focus(main, k保存路径框));
  const WindowState before = state_of(app);

  for (const auto& information : kBoxes) {
    for (const auto& closing : kClosings) {
      SCOPED_TRACE(std::string(information.name) + " closed by " + closing.name);
      PostMessageA(main, WM_COMMAND, information.command, 0);
      const auto box = wait_for_message_box(app.process_id());
      ASSERT_TRUE(box.has_value());
      EXPECT_EQ(box->title, information.title);
      if (information.whole_text) {
        EXPECT_EQ(box->text, information.first_line);
      } else {
        EXPECT_EQ(box->text.substr(0, box->text.find("\r\n")), information.first_line);
      }
      EXPECT_EQ(box->buttons, 1);
      EXPECT_FALSE(box->icon);

      ASSERT_TRUE(close_box(box->box, closing.close));
      EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(main) != FALSE; }, kReaction));
      EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == main; }, kReaction));
      EXPECT_TRUE(wait_for_focus(main, k保存路径框)) << "focus on " << focused_control(main);
      EXPECT_EQ(state_of(app), before);
    }
  }
}

}  // namespace
}  // namespace wine_test
