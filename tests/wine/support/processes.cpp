#include "tests/wine/support/processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

#include "platform/win32/scoped.h"

namespace wine_test {
namespace {

using ScopedHandle = kestrafil::Scoped<HANDLE, CloseHandle>;

bool same_file_name(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::vector<DWORD> child_processes(DWORD parent, std::string_view file_name) {
  std::vector<DWORD> found;
  HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (taken == INVALID_HANDLE_VALUE) return found;
  const ScopedHandle snapshot(taken);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == parent && same_file_name(entry.szExeFile, file_name)) {
      found.push_back(entry.th32ProcessID);
    }
  }
  return found;
}

}  // namespace wine_test
