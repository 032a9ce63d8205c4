// A message box of the program as the user meets it: 开始 with nothing filled in.
#include "tests/wine/support/message_box.h"

#include <gtest/gtest.h>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/poll.h"

namespace wine_test {
namespace {

TEST(MessageBoxes, StartWithEmptyBoxesShowsAModalInformationBoxWithOneOkButton) {
  KestrafilProcess app;
  // Posted: the click runs the command, which stays in the box until it is closed.
  PostMessageA(app.control(110), BM_CLICK, 0, 0);
  const auto box = wait_for_message_box(app.process_id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, "信息：");
  EXPECT_EQ(box->text, "请选择搜索路径");
  EXPECT_EQ(box->buttons, 1);
  EXPECT_FALSE(box->icon);
  EXPECT_EQ(GetWindow(box->box, GW_OWNER), nullptr) << "the box has no owner window";
  EXPECT_FALSE(IsWindowEnabled(app.main_window())) << "the box is task-modal";

  ASSERT_TRUE(close_message_box(box->box));
  EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(app.main_window()) != FALSE; }, kReaction));
}

}  // namespace
}  // namespace wine_test
