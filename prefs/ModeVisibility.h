#pragma once
// What the Preferences dialog shows in each Windows mode: the WinFiles list
// (item 9 differs between modes 1-2 and 3), "Which Registry to Backup", "Cab
// Extractor", "Windows Restart", the "&User" button, the tree and the
// system-backup page's directory button and counter.

#include <string>
#include <vector>

namespace corvasta {

struct ModeVisibility {
  std::vector<std::string> winFilesItems;  // the WinFiles check list's captions
  bool whichRegistry = false;
  bool cabExtractor = false;
  bool windowsRestart = false;
  bool userButton = false;
  bool secondTree = false;
  // The system-backup page (second tree only).
  std::string systemBackupDirectoryCaption;
  bool systemBackupCounter = false;
  std::string systemBackupCounterCaption;
};

// `shortModeName`: "98", "ME", "XP" ... (the mode's short name).
ModeVisibility modeVisibility(int windowsMode, const std::string& shortModeName);

}  // namespace corvasta
