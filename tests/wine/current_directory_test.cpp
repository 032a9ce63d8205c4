// The program works in its own folder, whatever folder it was started from: the Start command
// writes the name list to the current directory before it checks the boxes.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/message_box.h"

namespace wine_test {
namespace {

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(CurrentDirectory, IsTheProgramsFolderNotTheFolderItWasStartedFrom) {
  const std::string beside_program = program_folder() + "\\file.txt";
  const std::string in_start_folder = other_folder() + "\\file.txt";
  DeleteFileA(beside_program.c_str());
  DeleteFileA(in_start_folder.c_str());

  KestrafilProcess app(other_folder());
  PostMessageA(app.control(110), BM_CLICK, 0, 0);
  const auto box = wait_for_message_box(app.process_id());
  ASSERT_TRUE(box.has_value()) << "the Start command ran to its first check";

  EXPECT_TRUE(file_exists(beside_program)) << beside_program;
  EXPECT_FALSE(file_exists(in_start_folder)) << in_start_folder;
  close_message_box(box->box);
}

}  // namespace
}  // namespace wine_test
