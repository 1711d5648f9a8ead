#pragma once
// The Windows NT/2000/XP registry restore: the hive files to put back
// gathered in the Redo directory (from a set's registry.daz, a repair folder
// or an XP restore point), then every loaded hive that has a file there
// replaced through the registry interface at the next start, the displaced
// hives kept in the Undo directory.

#include <string>

#include "restore/RestoreState.h"

namespace corvasta {

class Core;
class Backup;

class NtRegistryRestore {
 public:
  NtRegistryRestore(Core& core, Backup& backup, RestoreState& state)
      : core(core), backup(backup), state(state) {}

  // Empties the Redo directory and makes it and the Undo directory; with
  // `checkCmd`, first checks the command interpreter's support files. False
  // when the restore must not go on.
  bool PreRegistryRestore(bool checkCmd);
  // The hives of a repair folder (`dir` with its final backslash), expanded
  // where compressed, replaced.
  void RestoreRepair(const std::string& dir);
  // The hives of an XP restore point's snapshot folder replaced.
  void RestoreRestorePoint(const std::string& snapshotDir);
  // A registry archive (a set's or the spare's registry.daz) unpacked into
  // the Redo directory and its hives replaced.
  void RestoreRegistryArchive(const std::string& archivePath, int progressStep);

  Core& core;
  Backup& backup;
  RestoreState& state;
};

}  // namespace corvasta
