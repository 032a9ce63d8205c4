// A real search job: the program writes and starts its script, and Wine's command interpreter
// finds the named files and copies them. Paths stay ASCII, since Wine's interpreter misreads
// other bytes in the files that its loops read; spaces are fine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wine/support/box_text.h"
#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/job_files.h"
#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/script_watch.h"

namespace wine_test {
namespace {

struct SampleFile {
  const char* path;  // below the search folder
  const char* content;
};

// The same name in two folders, a name with spaces, and a file that nobody asks for.
constexpr SampleFile kArchive[] = {
    {"Folder One\\report 2020.txt", "report from folder one\r\n"},
    {"Folder Two\\Sub Dir\\report 2020.txt", "report from folder two, a little longer\r\n"},
    {"plain.txt", "plain\r\n"},
    {"Folder One\\not asked.txt", "not asked\r\n"},
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
    lines.push_back(text.substr(begin, end - begin));
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

std::string file_name_of(const std::string& path) {
  return path.substr(path.rfind('\\') + 1);
}

// Both folders are typed without a final backslash, as a user might: the names are still
// searched inside the search folder, and the copies still go into the save folder.
TEST(SearchJob, CopiesEveryMatchIntoTheSaveFolderAndListsThemBesideTheProgram) {
  const ScratchFolder job(user_profile() + "\\Kestrafil Job");
  const std::string search_folder = job / "Search Root";
  const std::string save_folder = job / "Save Here";
  for (const auto& file : kArchive) {
    ASSERT_TRUE(write_file(search_folder + "\\" + file.path, file.content));
  }
  ASSERT_TRUE(CreateDirectoryA(save_folder.c_str(), nullptr));
  const ScratchFile name_list(name_list_file());
  const ScratchFile results(result_list_file());
  // Stands for an earlier job's result list, which the script clears first.
  ASSERT_TRUE(write_file(results.path(), search_folder + "\\Folder One\\not asked.txt\r\n"));

  KestrafilProcess app;
  ScriptWatch scripts(app.process_id());
  ASSERT_TRUE(set_text(app.control(k搜索路径框), search_folder));
  ASSERT_TRUE(set_text(app.control(k保存路径框), save_folder));
  ASSERT_TRUE(set_text(app.control(k编辑框1), "report 2020.txt\r\nmissing file.txt\r\nplain.txt"));
  PostMessageA(app.control(k按钮1), BM_CLICK, 0, 0);
  ASSERT_TRUE(scripts.wait_for_start(kPatience).has_value()) << "the script did not start";
  ASSERT_TRUE(scripts.wait_for_end(kPatience)) << "the script did not end";

  const auto listed = read_file(results.path());
  ASSERT_TRUE(listed.has_value()) << results.path();
  const std::vector<std::string> matches = lines_of(*listed);
  std::vector<std::string> names_in_order;
  for (const auto& match : matches) names_in_order.push_back(file_name_of(match));
  EXPECT_EQ(names_in_order,
            (std::vector<std::string>{"report 2020.txt", "report 2020.txt", "plain.txt"}))
      << *listed;
  // The two matches of one name come in the order that dir walks the folders.
  std::vector<std::string> sorted_matches = matches;
  std::sort(sorted_matches.begin(), sorted_matches.end());
  EXPECT_EQ(sorted_matches, (std::vector<std::string>{
                                search_folder + "\\Folder One\\report 2020.txt",
                                search_folder + "\\Folder Two\\Sub Dir\\report 2020.txt",
                                search_folder + "\\plain.txt",
                            }));
  ASSERT_EQ(matches.size(), 3u);

  EXPECT_EQ(file_names(save_folder), (std::vector<std::string>{"plain.txt", "report 2020.txt"}));
  EXPECT_EQ(read_file(save_folder + "\\plain.txt"), "plain\r\n");
  // Each copy of a name replaces the one before, so the last listed one stays.
  EXPECT_EQ(read_file(save_folder + "\\report 2020.txt"), read_file(matches[1]));
  EXPECT_EQ(file_names(job.path()), std::vector<std::string>{}) << "nothing lands beside them";
}

}  // namespace
}  // namespace wine_test
