#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/job_files.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

using testing::FakePlatform;

constexpr TextView kPath = "C:\\Tools/file.txt";

constexpr auto kWhole = SystemError::none;
constexpr SystemError kSharingViolation{32};

TEST(JobFiles, WriteFileGivesTheReasonOfEveryFailureAndAlwaysCloses) {
  struct Case {
    const char* name;
    TextView path;
    TextView bytes;
    std::function<void(FakePlatform&)> setup;
    SystemError error;
    std::optional<std::string> content;  // nullopt: no file
    std::vector<std::string> calls;
  };
  const std::vector<std::string> write_and_close = {
      "create_file C:\\Tools/file.txt", "write_file 10", "close_handle C:\\Tools/file.txt"};
  const Case cases[] = {
      {"writes the bytes", kPath, "a.jpg\r\nb c", {}, kWhole, "a.jpg\r\nb c", write_and_close},
      {"replaces an existing file whole", kPath, "a.jpg\r\nb c",
       [](FakePlatform& f) { f.files["C:\\Tools/file.txt"] = "older and much longer names"; },
       kWhole, "a.jpg\r\nb c", write_and_close},
      {"no bytes leave an empty file without a write",
       kPath,
       "",
       {},
       kWhole,
       "",
       {"create_file C:\\Tools/file.txt", "close_handle C:\\Tools/file.txt"}},
      {"the file cannot be made",
       kPath,
       "a.jpg\r\nb c",
       [](FakePlatform& f) {
         f.fail_create_file = "C:\\Tools/file.txt";
         f.failure_reason = kSharingViolation;
       },
       kSharingViolation,
       std::nullopt,
       {"create_file C:\\Tools/file.txt"}},
      {"a short write keeps what was written and counts as a full disk", kPath, "a.jpg\r\nb c",
       [](FakePlatform& f) { f.short_write = 4; }, SystemError::disk_full, "a.jp", write_and_close},
      {"a failed write gives the write's reason, not the close's", kPath, "a.jpg\r\nb c",
       [](FakePlatform& f) {
         f.fail_write = true;
         f.failure_reason = kSharingViolation;
       },
       kSharingViolation, "", write_and_close},
      {"a failed close fails", kPath, "a.jpg\r\nb c", [](FakePlatform& f) { f.fail_close = true; },
       SystemError{5}, "a.jpg\r\nb c", write_and_close},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    if (c.setup) c.setup(fake);
    EXPECT_EQ(write_file(fake, c.path, c.bytes), c.error) << c.name;
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

}  // namespace
}  // namespace kestrafil
