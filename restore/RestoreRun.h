#pragma once
// The restore run: one restore from the two registry paths the Restore
// button (or a set's classification) found, over the extent the Crash Fixer
// page selects: the registry, the WinConfig files, the User Profile archives,
// the Other Files archives and drive folders; then the summary and, as a
// rule, the restart of Windows.

#include <string>

#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;
class Win9xRegistryRestore;
class NtRegistryRestore;

class RestoreRun {
 public:
  RestoreRun(Core& core, Backup& backup, RestoreState& state, Win9xRegistryRestore& win9x,
             NtRegistryRestore& nt)
      : core(core), backup(backup), state(state), win9x(win9x), nt(nt) {}

  // Restores from the set the two paths name; reads state.sourceKind and the
  // extent. Failures are reported to the user and logged.
  void RunRestore(const std::string& userPath, const std::string& systemPath);

  Core& core;
  Backup& backup;
  RestoreState& state;
  Win9xRegistryRestore& win9x;
  NtRegistryRestore& nt;
};

}  // namespace corvasta
