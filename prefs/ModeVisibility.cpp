// The mode-dependent parts of the Preferences dialog.

#include "prefs/ModeVisibility.h"

#include "backup/model/WinFiles.h"
#include "prefs/PrefsNavigation.h"

namespace corvasta {

ModeVisibility modeVisibility(int windowsMode, const std::string& shortModeName) {
  ModeVisibility shown;
  for (const WinFilesItem& item : winFilesItems(windowsMode))
    shown.winFilesItems.push_back(item.caption);
  const bool win9x = windowsMode >= 1 && windowsMode <= 3;
  shown.whichRegistry = windowsMode == 1;
  shown.cabExtractor = windowsMode == 2 || windowsMode == 3;
  shown.windowsRestart = win9x;
  shown.userButton = !shown.cabExtractor;
  shown.secondTree = usesSecondTree(windowsMode);
  if (shown.cabExtractor) {
    shown.systemBackupDirectoryCaption = "&Win" + shortModeName + " Backup Directory";
    shown.systemBackupCounter = true;
    shown.systemBackupCounterCaption = "&Maximum Number of Win" + shortModeName + " Backups";
  } else if (windowsMode == 6) {
    // The restore-point list takes the counter's place.
    shown.systemBackupDirectoryCaption = "&Win" + shortModeName + " Restore Points Directory";
  }
  return shown;
}

}  // namespace corvasta
