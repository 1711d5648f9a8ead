#pragma once
// The Windows 98 and ME registry checker:
//   scanregw.exe (Windows)  /backup      makes a registry backup;
//                           /autorun     the daily check at the start of
//                                        Windows: a backup when none is from
//                                        today;
//                           /scanonly    checks the registry only;
//                           (no switch)  checks; backs up when none is from
//                                        today (asked otherwise: it takes the
//                                        default, No);
//   scanreg.exe (MS-DOS)    /backup, /restore (the newest backup, the
//                           choice the checker offers first), /fix and /opt
//                           (the registry files written anew, compact);
//                           no switch: checks the registry.
// Exit code 0 on success, 1 when the registry is damaged or the work failed
// (journalled with the reason); the registry files and backups are then as
// they were.

#include <cstdint>
#include <string>

#include "platform/core/machine.h"

namespace platform {

uint32_t runRegistryChecker(Machine& machine, const std::string& commandLine);
uint32_t runWindowsRegistryChecker(Machine& machine, const std::string& commandLine);

}  // namespace platform
