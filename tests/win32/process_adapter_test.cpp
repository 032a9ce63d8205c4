// The Win32 platform's process services inside this process: paths longer than a 260-byte
// buffer, the job's environment, the job lock's event and a real suspended child.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

std::string ansi(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string converted(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), converted.data(), size,
                      nullptr, nullptr);
  return converted;
}

std::wstring temporary_folder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  return path;
}

// Folders whose ANSI path (two bytes a Chinese character in code page 936) is longer than
// 260 bytes while the path itself stays within 260 characters, as a user's may.
class LongFolder {
 public:
  LongFolder() {
    path_ = temporary_folder() + L"kestrafil-long";
    CreateDirectoryW(path_.c_str(), nullptr);
    made_.push_back(path_);
    const std::wstring part = L"非常长的文件夹名字用来测试路径长度超过缓冲区的情况";
    while (ansi(path_).size() <= 300) {
      path_ += L"\\" + part;
      CreateDirectoryW(path_.c_str(), nullptr);
      made_.push_back(path_);
    }
  }
  ~LongFolder() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryW(it->c_str());
  }
  LongFolder(const LongFolder&) = delete;
  LongFolder& operator=(const LongFolder&) = delete;

  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> made_;
};

TEST(Win32Paths, ComeWholeWhenLongerThanA260ByteBuffer) {
  Win32Platform platform(GetModuleHandleA(nullptr));
  const LongFolder folder;
  ASSERT_LT(folder.path().size(), static_cast<std::size_t>(MAX_PATH));
  const std::string expected = ansi(folder.path());
  ASSERT_GT(expected.size(), 300u);

  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
  const Text current = platform.current_directory();
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(std::string(current), expected);

  wchar_t saved_tmp[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TMP", saved_tmp, MAX_PATH);
  SetEnvironmentVariableW(L"TMP", folder.path().c_str());
  const Text temporary = platform.temp_path();
  SetEnvironmentVariableW(L"TMP", saved_tmp);
  EXPECT_EQ(std::string(temporary), expected + "\\");

  EXPECT_FALSE(platform.module_file_name().empty());
  EXPECT_FALSE(platform.system_directory().empty());
}

std::vector<std::wstring> entries_of(const std::wstring& block) {
  std::vector<std::wstring> entries;
  for (std::size_t at = 0; at < block.size() && block[at] != L'\0';) {
    const auto end = block.find(L'\0', at);
    entries.push_back(block.substr(at, end - at));
    at = end + 1;
  }
  return entries;
}

TEST(Win32Environment, DropsVariablesWhateverTheirCaseAddsOthersAndStaysSorted) {
  SetEnvironmentVariableW(L"dircmd", L"/p /o-n");
  SetEnvironmentVariableW(L"CopyCmd", L"/-Y");
  SetEnvironmentVariableW(L"KESTRAFIL_KEPT", L"中文 stays");
  SetEnvironmentVariableW(L"KESTRAFIL_SCRIPT", L"an older value");
  const std::array<TextView, 2> removed{"DIRCMD", "COPYCMD"};
  const std::array<EnvironmentVariable, 1> added{{{"KESTRAFIL_SCRIPT", "C:\\50%\\/XXXX.BAT"}}};
  const auto block = changed_environment(removed, added);
  SetEnvironmentVariableW(L"dircmd", nullptr);
  SetEnvironmentVariableW(L"CopyCmd", nullptr);
  SetEnvironmentVariableW(L"KESTRAFIL_KEPT", nullptr);
  SetEnvironmentVariableW(L"KESTRAFIL_SCRIPT", nullptr);

  ASSERT_GE(block.size(), 2u);
  EXPECT_EQ(block.substr(block.size() - 2), std::wstring(2, L'\0'));
  const auto entries = entries_of(block);
  std::vector<std::wstring> ours;
  for (const auto& entry : entries) {
    const auto name = entry.substr(0, entry.find(L'=', 1));
    EXPECT_NE(CompareStringOrdinal(name.c_str(), -1, L"DIRCMD", -1, TRUE), CSTR_EQUAL) << "removed";
    EXPECT_NE(CompareStringOrdinal(name.c_str(), -1, L"COPYCMD", -1, TRUE), CSTR_EQUAL)
        << "removed";
    if (name.starts_with(L"KESTRAFIL_")) ours.push_back(entry);
  }
  EXPECT_EQ(ours, (std::vector<std::wstring>{L"KESTRAFIL_KEPT=中文 stays",
                                             L"KESTRAFIL_SCRIPT=C:\\50%\\/XXXX.BAT"}));
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const auto left = entries[i - 1].substr(0, entries[i - 1].find(L'=', 1));
    const auto right = entries[i].substr(0, entries[i].find(L'=', 1));
    EXPECT_NE(CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE), CSTR_GREATER_THAN)
        << "sorted by name";
  }
}

TEST(Win32Errors, AreDescribedInWindowsOwnWordsWithoutALineBreakAtTheEnd) {
  Win32Platform platform(GetModuleHandleA(nullptr));
  const Text words = platform.describe_error(SystemError{ERROR_ACCESS_DENIED});
  ASSERT_FALSE(words.empty());
  EXPECT_NE(words.back(), '\n');
  EXPECT_NE(words.back(), '\r');
  EXPECT_TRUE(platform.describe_error(SystemError{0x2FFFFFFF}).empty());
}

// The lock's life as the Start command gives it to a job: the event exists while the program's
// handle or the started interpreter holds it, and goes when the interpreter exits.
TEST(Win32ChildProcess, ASuspendedInterpreterHoldsTheHandedEventUntilItExits) {
  Win32Platform platform(GetModuleHandleA(nullptr));
  constexpr TextView kName = "Local\\Kestrafil.AdapterTest";
  const auto event = platform.create_named_event(kName);
  ASSERT_NE(event.event, EventRef{});
  EXPECT_FALSE(event.already_existed);
  const auto again = platform.create_named_event(kName);
  EXPECT_TRUE(again.already_existed);
  platform.close_handle(again.event);

  SetEnvironmentVariableA("DIRCMD", "/p");
  const std::string interpreter = std::string(platform.system_directory()) + "\\cmd.exe";
  const std::string line = "\"" + interpreter + "\" /d /c if defined DIRCMD (exit 3) else exit 7";
  const std::array<TextView, 1> removed{"DIRCMD"};
  const auto started = platform.create_suspended_process({interpreter, line, removed, {}});
  SetEnvironmentVariableA("DIRCMD", nullptr);
  ASSERT_TRUE(started.has_value());
  ASSERT_TRUE(platform.duplicate_into(event.event, started->process));
  platform.close_handle(event.event);

  const auto held = platform.create_named_event(kName);
  EXPECT_TRUE(held.already_existed) << "the suspended interpreter holds it";
  platform.close_handle(held.event);

  ASSERT_TRUE(platform.resume_thread(started->thread));
  const auto process = from_ref<HANDLE>(started->process);
  ASSERT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
  DWORD exit_code = 0;
  GetExitCodeProcess(process, &exit_code);
  EXPECT_EQ(exit_code, 7u) << "the interpreter did not get DIRCMD";
  platform.close_handle(started->thread);
  platform.close_handle(started->process);

  const auto after = platform.create_named_event(kName);
  EXPECT_FALSE(after.already_existed) << "it went with the interpreter";
  platform.close_handle(after.event);
}

}  // namespace
}  // namespace kestrafil
