#include "tests/wine/support/job_files.h"

#include <algorithm>
#include <utility>

#include "tests/wine/support/kestrafil_process.h"

namespace wine_test {
namespace {

class OwnedFile {
 public:
  explicit OwnedFile(HANDLE file) : file_(file) {}
  ~OwnedFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  OwnedFile(const OwnedFile&) = delete;
  OwnedFile& operator=(const OwnedFile&) = delete;

  HANDLE get() const { return file_; }
  explicit operator bool() const { return file_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE file_;
};

class OwnedFind {
 public:
  explicit OwnedFind(HANDLE find) : find_(find) {}
  ~OwnedFind() {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
  }
  OwnedFind(const OwnedFind&) = delete;
  OwnedFind& operator=(const OwnedFind&) = delete;

  HANDLE get() const { return find_; }
  explicit operator bool() const { return find_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE find_;
};

bool is_dot_entry(const WIN32_FIND_DATAA& entry) {
  return lstrcmpA(entry.cFileName, ".") == 0 || lstrcmpA(entry.cFileName, "..") == 0;
}

void make_folders_above(const std::string& path) {
  for (std::size_t slash = path.find('\\', 3); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  }
}

void delete_tree(const std::string& folder) {
  WIN32_FIND_DATAA entry{};
  {
    const OwnedFind find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (find) {
      do {
        if (is_dot_entry(entry)) continue;
        const std::string path = folder + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          delete_tree(path);
        } else {
          SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(find.get(), &entry));
    }
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::optional<std::string> read_file(const std::string& path) {
  const OwnedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    return std::nullopt;
  }
  bytes.resize(read);
  return bytes;
}

bool write_file(const std::string& path, std::string_view bytes) {
  make_folders_above(path);
  const OwnedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &written, nullptr) &&
                           written == bytes.size());
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string user_profile() {
  char profile[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
  return std::string(profile, length < sizeof profile ? length : 0);
}

std::string temporary_folder() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetTempPathA(sizeof folder, folder);
  return std::string(folder, length < sizeof folder ? length : 0);
}

std::string name_list_file() {
  return program_folder() + "\\file.txt";
}

std::string result_list_file() {
  return program_folder() + "\\UM7Y9X4K.txt";
}

std::string script_file() {
  return temporary_folder() + "XXXX.BAT";
}

TemporaryFolderOverride::TemporaryFolderOverride(const std::string& folder) {
  for (auto& variable : saved_) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(variable.name, value, sizeof value);
    if (length > 0 && length < sizeof value) variable.value = std::string(value, length);
    SetEnvironmentVariableA(variable.name, folder.c_str());
  }
}

TemporaryFolderOverride::~TemporaryFolderOverride() {
  for (const auto& variable : saved_) {
    SetEnvironmentVariableA(variable.name, variable.value ? variable.value->c_str() : nullptr);
  }
}

std::vector<std::string> file_names(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry{};
  const OwnedFind find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (!find) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
  } while (FindNextFileA(find.get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

ScratchFolder::ScratchFolder(std::string path) : path_(std::move(path)) {
  delete_tree(path_);
  make_folders_above(path_ + "\\");
}

ScratchFolder::~ScratchFolder() {
  delete_tree(path_);
}

std::string ScratchFolder::operator/(std::string_view relative) const {
  return path_ + "\\" + std::string(relative);
}

ScratchFile::ScratchFile(std::string path) : path_(std::move(path)) {
  DeleteFileA(path_.c_str());
}

ScratchFile::~ScratchFile() {
  DeleteFileA(path_.c_str());
}

}  // namespace wine_test
