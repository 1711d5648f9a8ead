#pragma once
// The Crash Fixer page's first two steps and the dispatch of the third: the
// restore sources of the Windows mode and their availability, the menus that
// choose one backup, the extent boxes, the classification of a program
// backup set, and the Restore button, which starts the restore run.

#include <string>

#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;
class RestoreRun;

class RestoreSources {
 public:
  RestoreSources(Core& core, Backup& backup, RestoreState& state, RestoreRun& run)
      : core(core), backup(backup), state(state), run(run) {}

  // The Restore button.
  void RestoreClick();

  Core& core;
  Backup& backup;
  RestoreState& state;
  RestoreRun& run;
};

}  // namespace corvasta
