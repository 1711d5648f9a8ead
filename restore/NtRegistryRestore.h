#pragma once
// The Windows NT/2000/XP registry restore: the hive files to put back
// gathered in the Redo directory (from a set's registry.daz, a repair folder
// or an XP restore point), then every loaded hive that has a file there
// replaced through the registry interface at the next start, the displaced
// hives kept in the Undo directory.

#include <string>
#include <vector>

#include "platform/files/find_files.h"
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

  // The error-list line when the preparation stops a restore before any
  // hive is touched.
  static constexpr const char* kRegistryNotRestored = "Registry Not Restored";

  Core& core;
  Backup& backup;
  RestoreState& state;

 private:
  // Windows directory + "Corvasta\Redo\".
  std::string redoDir() const;
  // `source` copied to the Redo directory as `redoName` with normal
  // attributes; a file that cannot be copied goes to the error list.
  bool copyIntoRedo(const std::string& source, const std::string& redoName);
  // The hive replacement over the Redo directory, reading its user.ini
  // unless the source is Windows' original registry.
  void replaceRedoHives();
  // The files (not folders) matching `pattern`, in listing order; none when
  // its folder does not exist.
  std::vector<platform::FindData> filesMatching(const std::string& pattern);
  void registryNotRestored();
};

}  // namespace corvasta
