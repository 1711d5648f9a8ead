#pragma once
// The Windows 95/98/ME registry restore: the registry files put into a
// temporary folder, then copied into place while Windows is not running (a
// DOS batch file, startwin.bat, in modes 1 and 2) or by Windows itself at its
// next start (the Rename section of wininit.ini in mode 3), and the hand-offs
// that leave Windows for it (the autoexec and pif methods).

#include <string>

#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;

class Win9xRegistryRestore {
 public:
  Win9xRegistryRestore(Core& core, Backup& backup, RestoreState& state)
      : core(core), backup(backup), state(state) {}

  Core& core;
  Backup& backup;
  RestoreState& state;
};

}  // namespace corvasta
