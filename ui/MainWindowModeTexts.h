#pragma once
// The parts of the main window that depend on the Windows mode: the restore
// source list, the boot disk list and texts, the RegPack page's list, note
// and third button, and the Repair page. The view applies them once, when
// the window start sequence has set the mode names.

#include <string>
#include <vector>

namespace corvasta {

struct MainWindowModeTexts {
  // Crash Fixer: the source list's items (their unrewritten texts).
  std::vector<std::string> restoreSources;

  // RegPack page.
  bool regPackListShown = false;  // "Quick RegPack" / "Expanded RegPack"
  std::string regPackNote;
  bool thirdRegPackButtonShown = false;
  std::string thirdRegPackCaption;
  std::string thirdRegPackHint;

  // Boot Disk page.
  bool bootDiskListShown = false;
  std::vector<std::string> bootDiskEntries;
  std::string bootDiskFirstText;
  std::string bootDiskSecondText;
  std::string bootDiskNote;

  // Repair page (a tab only in the modes that make setup diskettes).
  bool repairTabShown = false;
  std::string setupDisksTitle;
  std::string setupDisksNote;
  std::string repairRegistryText;
  bool repairDiskShown = false;
  std::string repairDiskText;
};

// The texts and visibility for `windowsMode` (0..6); `longName` is the long
// mode name ("ME", "2000" ...).
MainWindowModeTexts mainWindowModeTexts(int windowsMode, const std::string& longName);

}  // namespace corvasta
