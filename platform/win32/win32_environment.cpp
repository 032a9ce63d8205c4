#include "platform/win32/win32_environment.h"

#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace kestrafil {
namespace {

std::wstring wide(TextView text) {
  if (text.empty()) return {};
  const auto size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring converted(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, converted.data(), length);
  return converted;
}

// Drive-current-directory entries such as =C:=C:\Tools begin with '=', which is not part of the
// name's end.
std::wstring_view name_of(std::wstring_view entry) {
  return entry.substr(0, entry.find(L'=', 1));
}

int compare_names(std::wstring_view left, std::wstring_view right) {
  return CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                              static_cast<int>(right.size()), TRUE) -
         CSTR_EQUAL;
}

class EnvironmentStrings {
 public:
  EnvironmentStrings() : block_(GetEnvironmentStringsW()) {}
  ~EnvironmentStrings() {
    if (block_ != nullptr) FreeEnvironmentStringsW(block_);
  }
  EnvironmentStrings(const EnvironmentStrings&) = delete;
  EnvironmentStrings& operator=(const EnvironmentStrings&) = delete;

  std::vector<std::wstring> entries() const {
    std::vector<std::wstring> list;
    for (const wchar_t* entry = block_; entry != nullptr && *entry != L'\0';
         entry += list.back().size() + 1) {
      list.emplace_back(entry);
    }
    return list;
  }

 private:
  wchar_t* block_;
};

}  // namespace

std::wstring changed_environment(std::span<const TextView> removed,
                                 std::span<const EnvironmentVariable> added) {
  std::vector<std::wstring> dropped;
  for (const auto name : removed) dropped.push_back(wide(name));
  std::vector<std::wstring> entries;
  for (const auto& variable : added) {
    dropped.push_back(wide(variable.name));
    entries.push_back(wide(variable.name) + L"=" + wide(variable.value));
  }

  for (auto& entry : EnvironmentStrings().entries()) {
    const auto name = name_of(entry);
    const bool drop = std::ranges::any_of(
        dropped, [name](const std::wstring& other) { return compare_names(name, other) == 0; });
    if (!drop) entries.push_back(std::move(entry));
  }
  std::ranges::sort(entries, [](const std::wstring& left, const std::wstring& right) {
    return compare_names(name_of(left), name_of(right)) < 0;
  });

  std::wstring block;
  for (const auto& entry : entries) block.append(entry).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

}  // namespace kestrafil
