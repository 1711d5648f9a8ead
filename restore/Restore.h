#pragma once
// The restore subsystem (the Crash Fixer): its parts, built over the core and
// the backup subsystem in the order they use each other. The main window
// owns one.

#include "restore/ArchiveExtraction.h"
#include "restore/NtRegistryRestore.h"
#include "restore/RestoreRun.h"
#include "restore/RestoreSources.h"
#include "restore/RestoreState.h"
#include "restore/Win9xRegistryRestore.h"

namespace corvasta {

class Core;
class Backup;

class Restore {
 public:
  Restore(Core& core, Backup& backup)
      : win9x(core, backup, state),
        nt(core, backup, state),
        run(core, backup, state, win9x, nt),
        sources(core, backup, state, run) {
    InstallZipBadPassword(core);
  }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

  RestoreState state;
  Win9xRegistryRestore win9x;
  NtRegistryRestore nt;
  RestoreRun run;
  RestoreSources sources;
};

}  // namespace corvasta
