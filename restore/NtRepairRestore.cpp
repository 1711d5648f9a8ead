// RestoreRepair: the hives of a repair folder (Windows' own copies from the
// end of Setup, or a repair diskette) put into the Redo directory, the
// compressed ones expanded there with Windows' Expand, then replaced.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"
#include "restore/NtRegistryRestore.h"

namespace corvasta {

namespace {

// One hive of a repair set: its compressed name (Windows' expand format),
// its plain name, and its name in the Redo directory.
struct RepairHive {
  const char* compressed;
  const char* plain;
  const char* redoName;
};

constexpr RepairHive kRepairHives[] = {
    {"sam._", "sam", "sam"},
    {"security._", "security", "security"},
    {"software._", "software", "software"},
    {"system._", "system", "system"},
    {"default._", "default", "default"},
    {"ntuser.da_", "ntuser.dat", "ntuser.dat"},
    {"usrclass.da_", "usrclass.dat", "usrclass.dat"},
};

constexpr int kHideWindow = 0;

}  // namespace

void NtRegistryRestore::RestoreRepair(const std::string& dir) {
  if (!PreRegistryRestore(true)) {
    registryNotRestored();
    return;
  }
  platform::FileSystem& files = core.env.files;
  for (const RepairHive& hive : kRepairHives) {
    const std::string compressed = dir + hive.compressed;
    if (files.fileExists(compressed)) {
      // Expanded straight to its Redo name: nothing is written in the repair
      // folder, which may be a write-protected diskette and whose plain
      // copies must stay.
      const std::string target = redoDir() + hive.redoName;
      core.Exec("cmd.exe /c Expand \"" + compressed + "\" \"" + target + "\"", kHideWindow);
      if (!files.fileExists(target)) {
        // No command interpreter, or a damaged file: this hive stays as it is.
        core.ErrorFlag = true;
        core.ErrorList.push_back(compressed);
      }
    } else if (files.fileExists(dir + hive.plain)) {
      copyIntoRedo(dir + hive.plain, hive.redoName);
    }
  }
  for (const platform::FindData& entry : filesMatching(dir + "user*"))
    copyIntoRedo(dir + entry.name, entry.name);
  replaceRedoHives();
}

}  // namespace corvasta
