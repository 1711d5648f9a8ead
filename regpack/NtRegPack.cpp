// RegPack in modes 0, 4 to 6: every loaded hive saved compactly into the
// undo archive, the registry's size before noted, the user asked (not on an
// automatic start), and the saved hives put in place at the next start.

#include "regpack/NtRegPack.h"

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "regpack/NtRegistryWork.h"
#include "regpack/RegistryArchiveCheck.h"

namespace corvasta {

namespace {

constexpr const char* kHiveFiles[] = {"system", "software", "sam", "security", "default"};

constexpr const char* kQuestion =
    "RegPack must restart Windows to proceed.\rIf you receive no error messages after this, "
    "RegPack was successful.\rPlease quit all applications.\r\rContinue?";

// An automatic RegPack that ran (successfully or not) ends the program
// unless the start request keeps it open; the request is done either way.
void closeAfterRun(Core& core) {
  if (core.requests.regPack && !core.requests.start) core.CloseAfterRun = true;
  core.requests.regPack = false;
}

}  // namespace

std::string NtRegPack::undoArchive() const {
  return core.loc.windowsDir + "registry.zzz";
}

uint64_t NtRegPack::hiveFilesSize() const {
  uint64_t total = 0;
  for (const char* name : kHiveFiles) {
    const std::string file = core.loc.windowsDir + "System32\\config\\" + name;
    if (core.env.files.fileExists(file)) total += core.env.files.getFileSize(file);
  }
  return total;
}

void NtRegPack::CompactClick() {
  core.Log(">>> RegPack started at " + core.Timestamp());
  {
    platform::TIniFile settings(core.env.machine, core.settingsFile());
    settings.WriteBool("AutoCompact", "switch", false);
  }
  Ui& ui = core.env.ui;
  if (core.SafeMode) {
    // Windows in Safe Mode loads no replacement hives: nothing is done
    // (AutoCompact's switch is already off).
    core.requests.regPack = false;
    return;
  }

  // Hives that cannot be saved are not packed: the warning list names them.
  core.ErrorFlag = false;
  core.ErrorList.clear();
  try {
    const NtRegistryWork work(core, NtRegistryWork::Direction::Saving);
    backup.registry.SaveNTRegistry(undoArchive(), 0, true, true);
  } catch (...) {
    // A save that fails (a full disk) ends the log's entry before the error
    // is shown.
    core.Log(kRegPackEnding.failedLine + core.Timestamp());
    writeLog();
    throw;
  }
  const std::vector<std::string> unsaved =
      core.ErrorFlag ? core.ErrorList : std::vector<std::string>{};

  {
    platform::TIniFile settings(core.env.machine, core.settingsFile());
    settings.WriteString("RegPack", "BeforeSize", std::to_string(hiveFilesSize()));
  }
  // A hive Windows could not load at its next start would stay as it is
  // while the user is told RegPack has run: say so now and change nothing.
  const std::string fault = registryArchiveFault(core, backup.extractFolder, undoArchive());
  if (!fault.empty()) {
    refuseArchive(fault, kRegPackEnding.failedLine);
    closeAfterRun(core);
    return;
  }

  {
    platform::TIniFile settings(core.env.machine, core.settingsFile());
    if (core.requests.regPack) {
      settings.WriteInteger("Bootup", "Action", 2);
    } else {
      if (ui.messageBox(kQuestion, core.ApplicationTitle, Buttons::YesNo, Icon::Information) !=
          IDYES)
        return;
      settings.WriteInteger("Bootup", "Action", 1);
    }
  }

  core.ErrorList = {"The following file(s) could not be RegPacked:", ""};
  core.ErrorList.insert(core.ErrorList.end(), unsaved.begin(), unsaved.end());
  core.ErrorFlag = !unsaved.empty();
  try {
    replaceFromUndoArchive(kRegPackEnding, true);
  } catch (...) {
    closeAfterRun(core);
    throw;
  }
  closeAfterRun(core);
}

}  // namespace corvasta
