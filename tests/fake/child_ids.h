// The child identifiers and menu command identifiers by which host tests address the program's
// controls and menu entries, as a user's clicks and the platform's messages name them.
#pragma once

namespace kestrafil::testing::child_ids {

constexpr int kStartButton = 110;
constexpr int kSearchBox = 120;
constexpr int kSaveBox = 130;
constexpr int kSearchFolderButton = 160;
constexpr int kSaveFolderButton = 170;
constexpr int kNameList = 180;
constexpr int kInstructionLabel = 190;
constexpr int kViewButton = 200;

// The menu's command identifiers, headers included.
constexpr int kSettingsHeader = 20000;
constexpr int kSearchFolderEntry = 20001;
constexpr int kSaveFolderEntry = 20002;
constexpr int kAboutEntry = 20003;
constexpr int kUsageEntry = 20005;

}  // namespace kestrafil::testing::child_ids
