// One search job at a time: while a job's command interpreter runs, 开始 in this or any other
// copy of the program is refused and touches nothing the job reads or writes. The job runs
// over a generated tree big enough that it is still running seconds after it started. Paths
// stay ASCII, since Wine's interpreter misreads other bytes in the files that its loops read.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/wine/support/box_text.h"
#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/file_tree.h"
#include "tests/wine/support/job_files.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/message_box.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/script_watch.h"

namespace wine_test {
namespace {

const std::string kJobRunning =
    "上一次的搜索还没有结束，请等它结束（或关闭它的窗口）后再点击开始。";

// About 20,000 files: every name of a list walks the whole tree, so a job of 30 names runs for
// several seconds under Wine.
constexpr TreeShape kTreeShape{100, 200};
constexpr int kNamesPerList = 30;
// Far apart, so that the names of one list lie all over the tree.
constexpr int kNameStride = 661;

// A Start command that went on would have started its script within this time: a one-second
// wait, then the interpreter's start under a busy Wine.
constexpr unsigned kStartWindowMs = 2500;
// A whole job over the tree, with room for a machine that is busy with other work.
constexpr unsigned kJobPatience = 90000;

struct NameList {
  std::string text;                // as pasted into the name box
  std::vector<std::string> names;  // sorted, as file_names gives a save folder's files
};

// Lists whose first numbers differ by less than the stride share no name.
NameList name_list_from(int first_number) {
  NameList list;
  for (int i = 0; i < kNamesPerList; ++i) {
    const std::string name = tree_file_name(first_number + i * kNameStride);
    list.text += name + "\r\n";
    list.names.push_back(name);
  }
  return list;
}

constexpr int kFirstListStart = 3;
constexpr int kSecondListStart = 330;
static_assert(kSecondListStart - kFirstListStart < kNameStride);
static_assert(kSecondListStart + (kNamesPerList - 1) * kNameStride <
                  kTreeShape.folders * kTreeShape.files_per_folder,
              "every name is in the tree");
const NameList kFirstList = name_list_from(kFirstListStart);
const NameList kSecondList = name_list_from(kSecondListStart);

struct JobFiles {
  ScratchFile name_list{name_list_file()};
  ScratchFile script{script_file()};
  ScratchFile results{result_list_file()};
};

bool enabled(HWND control) {
  return IsWindowEnabled(control) != FALSE;
}

class OneJobAtATime : public ::testing::Test {
 protected:
  // The tree takes seconds to make and to remove, so the suite's tests share it.
  static void SetUpTestSuite() {
    tree_ = std::make_unique<ScratchFolder>(user_profile() + "\\Kestrafil Tree");
    tree_made_ = make_file_tree(tree_->path(), kTreeShape);
  }
  static void TearDownTestSuite() { tree_.reset(); }

  void SetUp() override { ASSERT_TRUE(tree_made_) << "cannot make the tree in " << tree_->path(); }

  static bool fill(const KestrafilProcess& app, const std::string& save_folder,
                   const NameList& list) {
    return set_text(app.control(k搜索路径框), tree_->path()) &&
           set_text(app.control(k保存路径框), save_folder) &&
           set_text(app.control(k编辑框1), list.text);
  }

  static void click_start(const KestrafilProcess& app) {
    PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  }

 private:
  static std::unique_ptr<ScratchFolder> tree_;
  static bool tree_made_;
};

std::unique_ptr<ScratchFolder> OneJobAtATime::tree_;
bool OneJobAtATime::tree_made_ = false;

// The program shows the running-job message while the job is still running, and the user
// closes it.
void expect_refused_while_running(const KestrafilProcess& program, ScriptWatch& job) {
  const auto box = wait_for_message_box(program.process_id());
  ASSERT_TRUE(box.has_value()) << "no message";
  ASSERT_FALSE(job.wait_for_end(0)) << "the job ended too soon to show the refusal";
  EXPECT_EQ(box->title, "信息：");
  EXPECT_EQ(box->text, kJobRunning);
  ASSERT_TRUE(close_message_box(box->box));
}

TEST_F(OneJobAtATime, ASecondStartWhileTheJobRunsIsRefusedAndKeepsTheJobsFiles) {
  const ScratchFolder first_save(user_profile() + "\\Kestrafil Save First");
  const ScratchFolder second_save(user_profile() + "\\Kestrafil Save Second");
  const JobFiles files;
  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(fill(app, first_save.path(), kFirstList));
  click_start(app);
  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value()) << "the first job did not start";
  const auto list_before = read_file(files.name_list.path());
  const auto script_before = read_file(files.script.path());
  ASSERT_EQ(list_before, kFirstList.text);
  ASSERT_TRUE(script_before.has_value());

  ASSERT_TRUE(fill(app, second_save.path(), kSecondList));
  click_start(app);
  // A command that went on past its message would do so once the box is closed.
  expect_refused_while_running(app, scripts);
  EXPECT_FALSE(scripts.wait_for_start(kStartWindowMs).has_value()) << "a second job started";
  EXPECT_EQ(read_file(files.name_list.path()), list_before);
  EXPECT_EQ(read_file(files.script.path()), script_before);
}

TEST_F(OneJobAtATime, ACopyStartedFromAnotherFolderIsRefusedTheSameWay) {
  const ScratchFolder first_save(user_profile() + "\\Kestrafil Save First");
  const ScratchFolder second_save(user_profile() + "\\Kestrafil Save Second");
  const ScratchFolder second_program(user_profile() + "\\Kestrafil Second Copy");
  const JobFiles files;
  KestrafilProcess first_app;
  ScriptWatch first_scripts(first_app.process_id());
  KestrafilProcess second_app = KestrafilProcess::installed_in(second_program.path());
  ScriptWatch second_scripts(second_app.process_id());
  ASSERT_TRUE(fill(first_app, first_save.path(), kFirstList));
  ASSERT_TRUE(fill(second_app, second_save.path(), kSecondList));
  click_start(first_app);
  ASSERT_TRUE(first_scripts.wait_for_start(kPatience).has_value()) << "the first job did not start";
  const auto script_before = read_file(files.script.path());
  ASSERT_TRUE(script_before.has_value());

  click_start(second_app);
  expect_refused_while_running(second_app, first_scripts);
  EXPECT_FALSE(second_scripts.wait_for_start(kStartWindowMs).has_value()) << "it started a job";
  // Its own name list would lie beside it; the script is the same file for every copy.
  EXPECT_EQ(file_names(second_program.path()), std::vector<std::string>{"Kestrafil.exe"});
  EXPECT_EQ(read_file(files.name_list.path()), kFirstList.text);
  EXPECT_EQ(read_file(files.script.path()), script_before);
  EXPECT_FALSE(enabled(second_app.control(k按钮4)));
}

// The refused click leaves the second job's texts in the boxes; the user clicks again once the
// first job has ended. Neither job searches the other's list or copies into the other's folder.
TEST_F(OneJobAtATime, OnceTheJobHasEndedStartRunsTheNextAndEachSaveFolderGetsItsOwnFiles) {
  const ScratchFolder first_save(user_profile() + "\\Kestrafil Save First");
  const ScratchFolder second_save(user_profile() + "\\Kestrafil Save Second");
  const JobFiles files;
  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(fill(app, first_save.path(), kFirstList));
  click_start(app);
  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value()) << "the first job did not start";
  ASSERT_TRUE(fill(app, second_save.path(), kSecondList));
  click_start(app);
  const auto box = wait_for_message_box(app.process_id());
  ASSERT_TRUE(box.has_value()) << "no message";
  ASSERT_EQ(box->text, kJobRunning);
  ASSERT_TRUE(close_message_box(box->box));

  ASSERT_TRUE(scripts.wait_for_end(kJobPatience)) << "the first job did not end";
  ASSERT_EQ(scripts.starts().size(), 1u);
  click_start(app);
  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value()) << "the second job did not start";
  ASSERT_TRUE(scripts.wait_for_end(kJobPatience)) << "the second job did not end";

  EXPECT_EQ(file_names(first_save.path()), kFirstList.names);
  EXPECT_EQ(file_names(second_save.path()), kSecondList.names);
  EXPECT_EQ(read_file(files.name_list.path()), kSecondList.text);
}

}  // namespace
}  // namespace wine_test
