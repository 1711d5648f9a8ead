// The part RegPack and Undo RegPack share in modes 0, 4 to 6: the undo
// archive's hives handed to the hive replacement, then the warning list of
// the hives that could not be replaced, or the restart.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/profile/ini_file.h"
#include "regpack/NtRegPack.h"
#include "regpack/NtRegistryWork.h"
#include "restore/Restore.h"

namespace corvasta {

const NtRegPack::Ending NtRegPack::kRegPackEnding{
    "<<< RegPack Completed - ", "<<< RegPack not successful - ",
    "WARNING - An Error has Occurred - RegPack NOT Successful.", true};
const NtRegPack::Ending NtRegPack::kUndoEnding{
    "<<< Undo RegPack finished - ", "<<< Undo RegPack not successful - ",
    "WARNING - An Error has Occurred - Undo RegPack NOT Successful.", false};

void NtRegPack::replaceFromUndoArchive(const Ending& ending, bool beepAfterReplacing) {
  try {
    {
      const NtRegistryWork work(core, NtRegistryWork::Direction::Restoring);
      // The undo archive carries the map of its users' hives, whatever
      // source the Crash Fixer chose last.
      const SourceKind chosen = restore.state.sourceKind;
      restore.state.sourceKind = SourceKind::ProgramBackup;
      try {
        restore.nt.RestoreRegistryArchive(undoArchive(), 0);
      } catch (...) {
        restore.state.sourceKind = chosen;
        throw;
      }
      restore.state.sourceKind = chosen;
    }
    if (beepAfterReplacing) core.env.ui.beep();
    finish(ending);
  } catch (...) {
    core.Log(ending.failedLine + core.Timestamp());
    writeLog();
    core.env.ui.messageBox(ending.notSuccess, core.ApplicationTitle, Buttons::Ok, Icon::Warning);
    throw;
  }
}

void NtRegPack::finish(const Ending& ending) {
  if (core.ErrorFlag) {
    core.ErrorList.insert(core.ErrorList.end(),
                          {"", ending.notSuccess, "If any keys were successfully restored, ",
                           "   they will be implemented when Windows restarts.", "",
                           "Do you want to Restart Windows?"});
    for (const std::string& line : core.ErrorList) core.Log(line);
    core.Log(ending.endLine + core.Timestamp());
    writeLog();
    if (core.ShowWarningList(true) == IDYES) core.RestartWinNT();
    return;
  }
  if (ending.setsJustDone) {
    platform::TIniFile settings(core.env.machine, core.settingsFile());
    settings.WriteBool("RegPack", "JustDone", true);
  }
  core.Log(ending.endLine + core.Timestamp());
  writeLog();
  core.RestartWinNT();
}

void NtRegPack::writeLog() {
  const std::string log = core.ActivityLog;
  try {
    core.WriteResultFile();
  } catch (const platform::OsError&) {
    core.ActivityLog = log;
  }
}

void NtRegPack::refuseArchive(const std::string& fault, const char* failedLine) {
  core.env.ui.messageBox(fault, core.ApplicationTitle, Buttons::Ok, Icon::Error);
  core.Log(fault);
  core.Log(failedLine + core.Timestamp());
  writeLog();
}

}  // namespace corvasta
