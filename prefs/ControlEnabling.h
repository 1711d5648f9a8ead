#pragma once
// The enabling rules of the Backup Properties controls: which of them can be
// used for the current config's target drive, compression, CD packet format
// and Registry item. The change check and the configuration report both
// take them from here.

#include "platform/core/machine_config.h"
#include "prefs/model/PreferenceValues.h"

namespace corvasta {

struct ControlEnabling {
  bool deleteFiles = true;     // "&Delete all files on Disk before Backup"
  bool treatAsFixed = true;    // "&Treat Removable Disk as Fixed Disk"
  bool blockCheck = true;      // "Save Large Files in Blocks of:"
  bool blockNumber = false;    // its field and the "bytes" label
  bool cdPacket = false;       // "Use CD packet format"
  bool cdOptions = false;      // "No Non-Corvasta CDs", "Always Blank CDs", "Eject CD"
  bool whichRegistry = false;  // "&Previous (safest)", "&Current (doesn't always work)"
};

// `targetDrive`: the drive type Windows reports for the target's first three
// characters (NoRootDir or Unknown for a drive that does not exist).
ControlEnabling enablingRules(const BackupConfigRecord& config, platform::DriveType targetDrive);

}  // namespace corvasta
