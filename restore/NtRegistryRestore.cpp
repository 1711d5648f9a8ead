// NtRegistryRestore: the Redo and Undo directories made ready, the registry
// archive restore, and the hand-over to the hive replacement.

#include "restore/NtRegistryRestore.h"

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/DeleteFiles.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

// Where earlier versions kept their Redo and Undo files.
std::vector<std::string> earlierDirectories(const Core& core) {
  return {core.loc.programDir + "Redo", core.loc.windowsDir + "System32\\Config\\Redo",
          core.loc.windowsDir + "System32\\Config\\Undo"};
}

// The command interpreter's support files in the program directory: the
// repair-set restore expands compressed hives through "cmd.exe /c Expand".
bool checkCommandInterpreter(Core& core) {
  platform::FileSystem& files = core.env.files;
  if (!files.fileExists(core.loc.programDir + "cmd.pif")) {
    core.env.ui.messageBox(
        "Cmd.exe is not properly setup.\r\rPlease reinstall Corvasta " + core.LongModeName + ".",
        core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  const std::string programCopy = core.loc.programDir + "cmd.exe";
  if (files.fileExists(programCopy)) return true;
  const std::string& interpreter = core.loc.commandInterpreter;
  if (!interpreter.empty() && files.fileExists(interpreter)) {
    try {
      files.copyFile(interpreter, programCopy, true);
    } catch (const platform::OsError&) {
      // The program directory refuses the copy: Exec still finds the
      // interpreter on the system's search path.
    }
    return true;
  }
  core.env.ui.messageBox("Cmd.exe not found in System32 directory", core.ApplicationTitle,
                         Buttons::Ok);
  return true;
}

// Whether the replacement reads the Redo directory's user.ini, for one
// replacement: Windows' original registry comes with no map of this
// machine's users. Every other caller (RegPack) finds the map read again.
class UserMapChoice {
 public:
  UserMapChoice(RegistryCapture& registry, SourceKind source) : registry_(registry) {
    registry_.ReadUserMap = source != SourceKind::OriginalRegistry;
  }
  ~UserMapChoice() { registry_.ReadUserMap = true; }
  UserMapChoice(const UserMapChoice&) = delete;
  UserMapChoice& operator=(const UserMapChoice&) = delete;

 private:
  RegistryCapture& registry_;
};

}  // namespace

bool NtRegistryRestore::PreRegistryRestore(bool checkCmd) {
  if (checkCmd && !checkCommandInterpreter(core)) return false;
  platform::FileSystem& files = core.env.files;
  for (const std::string& directory : earlierDirectories(core))
    if (files.directoryExists(directory)) backup.extractFolder.DeleteDir(directory);
  const std::string redo = redoDir();
  core.createDirectories(redo);
  core.createDirectories(undoDirectory(core.loc.windowsDir));
  // A file left from an earlier restore would replace its hive again.
  if (!DeleteFiles(core, redo, "*.*")) {
    core.env.ui.messageBox("The " + redo + " directory could not be emptied.",
                           core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  return true;
}

void NtRegistryRestore::RestoreRegistryArchive(const std::string& archivePath, int progressStep) {
  if (!PreRegistryRestore(false)) {
    registryNotRestored();
    return;
  }
  core.Form4.view.status = "Restoring Registry";
  core.env.ui.showProgress(core.Form4.view);
  const UserMapChoice choice(backup.registry, state.sourceKind);
  backup.registry.SaveNTRegistry(archivePath, progressStep, true, false);
}

void NtRegistryRestore::replaceRedoHives() {
  const UserMapChoice choice(backup.registry, state.sourceKind);
  backup.registry.SaveNTRegistry(redoDir(), 0, false, false);
}

std::string NtRegistryRestore::redoDir() const {
  return redoDirectory(core.loc.windowsDir);
}

bool NtRegistryRestore::copyIntoRedo(const std::string& source, const std::string& redoName) {
  // Only read from the source: a repair folder may be a write-protected
  // diskette, and its files stay as they are.
  try {
    core.env.files.copyFile(source, redoDir() + redoName, false);
    core.env.files.setFileAttributes(redoDir() + redoName, platform::kAttributeNormal);
    return true;
  } catch (const platform::OsError&) {
    core.ErrorFlag = true;
    core.ErrorList.push_back(source);
    return false;
  }
}

std::vector<platform::FindData> NtRegistryRestore::filesMatching(const std::string& pattern) {
  std::vector<platform::FindData> found;
  try {
    found = core.env.files.findAll(pattern);
  } catch (const platform::OsError&) {
    return {};  // no such folder: nothing to take
  }
  std::erase_if(found, [](const platform::FindData& entry) {
    return (entry.attributes & platform::kAttributeDirectory) != 0;
  });
  return found;
}

void NtRegistryRestore::registryNotRestored() {
  core.ErrorFlag = true;
  core.ErrorList.push_back(kRegistryNotRestored);
}

}  // namespace corvasta
