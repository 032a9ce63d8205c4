// The child identifiers by which host tests address the program's controls, as a user's clicks
// and the platform's messages name them.
#pragma once

namespace kestrafil::testing::child_ids {

constexpr int kStartButton = 110;
constexpr int kSearchBox = 120;
constexpr int kSaveBox = 130;
constexpr int kSearchFolderButton = 160;
constexpr int kSaveFolderButton = 170;
constexpr int kNameList = 180;
constexpr int kViewButton = 200;

}  // namespace kestrafil::testing::child_ids
