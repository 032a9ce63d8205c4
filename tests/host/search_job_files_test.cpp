#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/job_files.h"
#include "search/run_program.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;

constexpr TextView kPath = "C:\\Tools/file.txt";

TEST(JobFiles, WriteFileReportsEveryFailureAndAlwaysCloses) {
  struct Case {
    const char* name;
    TextView path;
    TextView bytes;
    std::function<void(FakePlatform&)> setup;
    bool ok;
    std::optional<std::string> content;  // nullopt: no file
    std::vector<std::string> calls;
  };
  const std::vector<std::string> write_and_close = {
      "create_file C:\\Tools/file.txt", "write_file 10", "close_handle C:\\Tools/file.txt"};
  const Case cases[] = {
      {"writes the bytes", kPath, "a.jpg\r\nb c", {}, true, "a.jpg\r\nb c", write_and_close},
      {"replaces an existing file whole", kPath, "a.jpg\r\nb c",
       [](FakePlatform& f) { f.files["C:\\Tools/file.txt"] = "older and much longer names"; }, true,
       "a.jpg\r\nb c", write_and_close},
      {"no bytes leave an empty file without a write",
       kPath,
       "",
       {},
       true,
       "",
       {"create_file C:\\Tools/file.txt", "close_handle C:\\Tools/file.txt"}},
      {"an empty path fails before anything is opened", "", "a.jpg", {}, false, std::nullopt, {}},
      {"the file cannot be made",
       kPath,
       "a.jpg\r\nb c",
       [](FakePlatform& f) { f.fail_create_file = "C:\\Tools/file.txt"; },
       false,
       std::nullopt,
       {"create_file C:\\Tools/file.txt"}},
      {"a short write fails and keeps what was written", kPath, "a.jpg\r\nb c",
       [](FakePlatform& f) { f.short_write = 4; }, false, "a.jp", write_and_close},
      {"a failed write fails", kPath, "a.jpg\r\nb c", [](FakePlatform& f) { f.fail_write = true; },
       false, "", write_and_close},
      {"a failed close fails", kPath, "a.jpg\r\nb c", [](FakePlatform& f) { f.fail_close = true; },
       false, "a.jpg\r\nb c", write_and_close},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    if (c.setup) c.setup(fake);
    EXPECT_EQ(write_file(fake, c.path, c.bytes), c.ok) << c.name;
    const auto file = fake.files.find(std::string(kPath));
    const auto content =
        file == fake.files.end() ? std::nullopt : std::optional<std::string>(file->second);
    EXPECT_EQ(content, c.content) << c.name;
    EXPECT_EQ(fake.log, c.calls) << c.name;
    EXPECT_TRUE(fake.open_handles.empty()) << c.name;
  }
}

TEST(JobFiles, TemporaryDirectoryAlwaysEndsInABackslash) {
  struct Case {
    const char* name;
    std::string reported;
    TextView directory;
  };
  const Case cases[] = {
      {"with its backslash", "C:\\Temp\\", "C:\\Temp\\"},
      {"without one", "C:\\Temp", "C:\\Temp\\"},
      {"unknown", "", ""},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.temp_dir = c.reported;
    EXPECT_EQ(temporary_directory(fake), c.directory) << c.name;
  }
}

TEST(JobFiles, PathsAreJoinedWithoutASeparatorTest) {
  EXPECT_EQ(name_list_path("D:\\"), "D:\\/file.txt");
  EXPECT_EQ(name_list_path(""), "/file.txt");
  EXPECT_EQ(script_path("C:\\Temp\\"), "C:\\Temp\\/XXXX.BAT");
  EXPECT_EQ(script_path(""), "/XXXX.BAT");
}

TEST(RunProgram, StartsQuotedWaitsForInputAndClosesThreadThenProcess) {
  FakePlatform fake;
  const auto line = command_line_for("C:\\My Temp\\/XXXX.BAT");
  EXPECT_EQ(line, "\"C:\\My Temp\\/XXXX.BAT\"");
  EXPECT_TRUE(run_program(fake, line));
  EXPECT_EQ(fake.log, (std::vector<std::string>{"create_process \"C:\\My Temp\\/XXXX.BAT\"",
                                                "wait_for_input_idle process 1000",
                                                "close_handle thread", "close_handle process"}));
  EXPECT_TRUE(fake.open_handles.empty());
}

TEST(RunProgram, FailsWhenTheProcessCannotStart) {
  FakePlatform fake;
  fake.fail_create_process = true;
  EXPECT_FALSE(run_program(fake, "\"C:\\Temp\\/XXXX.BAT\""));
  EXPECT_EQ(fake.log, (std::vector<std::string>{"create_process \"C:\\Temp\\/XXXX.BAT\""}));
  EXPECT_TRUE(fake.open_handles.empty());
}

}  // namespace
}  // namespace kestrafil
