// The processes that the program under test starts, such as the command interpreter that runs
// its search-job script.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace wine_test {

// The running processes that `parent` started and whose program file is `file_name`, compared
// without regard to case ("cmd.exe").
std::vector<DWORD> child_processes(DWORD parent, std::string_view file_name);

}  // namespace wine_test
