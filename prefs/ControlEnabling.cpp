// The enabling rules of the Backup Properties controls.

#include "prefs/ControlEnabling.h"

namespace corvasta {

ControlEnabling enablingRules(const BackupConfigRecord& config, platform::DriveType targetDrive) {
  ControlEnabling on;
  const bool fixed = targetDrive == platform::DriveType::Fixed;
  const bool cd = targetDrive == platform::DriveType::CdRom;
  on.deleteFiles = !fixed;
  on.treatAsFixed = !fixed;
  on.blockCheck = config.compress != 0;
  on.blockNumber = on.blockCheck && config.blockCheck;
  on.cdPacket = cd;
  on.cdOptions = cd && !config.doNotUseCDWrite;
  on.whichRegistry = !config.winFilesChecks.empty() && config.winFilesChecks[0] != 0;
  return on;
}

}  // namespace corvasta
