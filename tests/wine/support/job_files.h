// The files and folders of a search job, made and read from outside the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wine_test {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> read_file(const std::string& path);

// Makes the file with exactly these bytes, and the folders above it when missing.
bool write_file(const std::string& path, std::string_view bytes);

bool file_exists(const std::string& path);

// The folder of the user's profile, where the tests make their folders.
std::string user_profile();

// The temporary folder as the program gets it from GetTempPathA, with its final backslash.
std::string temporary_folder();

// The job's files where the program under test puts them: the name list and the result list
// beside the installed program, the script in the temporary folder.
std::string name_list_file();
std::string result_list_file();
std::string script_file();

// Moves the temporary folder of this process, and of the programs it starts from now on, to
// the given folder; puts it back when the override goes.
class TemporaryFolderOverride {
 public:
  explicit TemporaryFolderOverride(const std::string& folder);
  ~TemporaryFolderOverride();
  TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
  TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;

 private:
  struct Saved {
    const char* name;
    std::optional<std::string> value;
  };
  // GetTempPathA reads TMP first, then TEMP.
  Saved saved_[2] = {{"TMP", {}}, {"TEMP", {}}};
};

// The names of the files in a folder, sorted.
std::vector<std::string> file_names(const std::string& folder);

// A folder that one test makes and fills; it goes, with everything in it, when the test ends.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string path);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of something inside it, given relative with backslashes.
  std::string operator/(std::string_view relative) const;

 private:
  std::string path_;
};

// A file that a test's run leaves behind where others' files lie; it goes when the test ends.
class ScratchFile {
 public:
  explicit ScratchFile(std::string path);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace wine_test
