// A search folder big enough that a job over it runs for a while: many folders of empty files,
// each file's name used once in the whole tree, made through Win32 calls so that it takes
// seconds, not minutes.
#pragma once

#include <string>

namespace wine_test {

struct TreeShape {
  int folders;
  int files_per_folder;
};

// The name of the tree's file with this number, counted over the whole tree.
std::string tree_file_name(int number);

// Fills the empty folder with the tree; false when a folder or file cannot be made.
bool make_file_tree(const std::string& root, TreeShape shape);

// The path of the tree's file with this number below the root.
std::string tree_file_path(const std::string& root, TreeShape shape, int number);

}  // namespace wine_test
