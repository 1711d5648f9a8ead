#pragma once
// TForm8: the Preferences dialog's logic. The values it shows and edits are
// the core's (Core::Form8, prefs/model/PreferenceValues.h), so the backup run
// reads them while the dialog is hidden; this class holds what only the open
// dialog has and the handlers of its controls. Its Qt view (ui/) binds
// widgets to it; the console drives it without a window.

#include "backup/Backup.h"
#include "prefs/AutomationPage.h"
#include "prefs/BackupManagerPage.h"
#include "prefs/DesktopIconsPage.h"
#include "prefs/SystemBackupsPage.h"

namespace corvasta {

class Backup;
class Core;

class TForm8 {
 public:
  TForm8(Core& core, Backup& backup) : core(core), backup(backup) {}
  TForm8(const TForm8&) = delete;
  TForm8& operator=(const TForm8&) = delete;

  Core& core;
  Backup& backup;

  BackupManagerPage backupManager{core, backup.manager};
  SystemBackupsPage systemBackups{core, backup.manager};
  AutomationPage automation{core};
  DesktopIconsPage desktopIcons{core};
};

}  // namespace corvasta
