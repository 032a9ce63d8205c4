#include "tests/wine/support/file_tree.h"

#include <windows.h>

#include <cstdio>

namespace wine_test {
namespace {

std::string numbered(const char* format, int number) {
  char name[32] = {};
  std::snprintf(name, sizeof name, format, number);
  return name;
}

std::string folder_path(const std::string& root, int folder) {
  return root + "\\" + numbered("folder%04d", folder);
}

}  // namespace

std::string tree_file_name(int number) {
  return numbered("file%06d.dat", number);
}

bool make_file_tree(const std::string& root, TreeShape shape) {
  for (int folder = 0; folder < shape.folders; ++folder) {
    const std::string path = folder_path(root, folder);
    if (!CreateDirectoryA(path.c_str(), nullptr)) return false;
    for (int file = 0; file < shape.files_per_folder; ++file) {
      const std::string name = tree_file_name(folder * shape.files_per_folder + file);
      const HANDLE made = CreateFileA((path + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (made == INVALID_HANDLE_VALUE) return false;
      CloseHandle(made);
    }
  }
  return true;
}

std::string tree_file_path(const std::string& root, TreeShape shape, int number) {
  return folder_path(root, number / shape.files_per_folder) + "\\" + tree_file_name(number);
}

}  // namespace wine_test
