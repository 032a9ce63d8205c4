// An operator new that fails in a program built as Kestrafil.exe is: the fatal-error box that
// names the byte count, then exit code -1, as when memory for a text runs out.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/message_box.h"

namespace wine_test {
namespace {

TEST(OutOfMemory, AFailedOperatorNewEndsInTheFatalErrorBoxWithExitCodeMinusOne) {
  std::string command_line = "\"" OUT_OF_MEMORY_PROBE_EXE "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(OUT_OF_MEMORY_PROBE_EXE, command_line.data(), nullptr, nullptr, FALSE,
                             0, nullptr, nullptr, &startup, &started));
  CloseHandle(started.hThread);
  const OwnedProcess process(started.hProcess);

  const auto box = wait_for_message_box(started.dwProcessId);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, "错误");
  EXPECT_EQ(box->text, "运行时出错!\r\n\r\n错误信息：分配 2147483632 字节内存失败!\r\n");
  ASSERT_TRUE(close_message_box(box->box));

  ASSERT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(static_cast<int>(code), -1);
}

}  // namespace
}  // namespace wine_test
