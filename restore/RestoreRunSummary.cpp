// The run's end: the restart decision, the summary, the restart of Windows;
// and the end of a run stopped at a cancelled disk request.

#include "app/core/Core.h"
#include "platform/files/file_system.h"
#include "restore/RestoreRun.h"
#include "restore/Win9xRegistryRestore.h"

namespace corvasta {

namespace {

void appendRegistryNote(Core& core) {
  core.ErrorList.push_back("");
  core.ErrorList.push_back("If any keys were successfully restored, ");
  core.ErrorList.push_back("   they will be implemented when Windows restarts.");
}

}  // namespace

bool RestoreRun::decideRestart() {
  if (core.ErrorFlag) {
    if (core.winCrash) appendRegistryNote(core);
    core.ErrorList.push_back("");
    core.ErrorList.push_back("Do you want to Restart Windows?");
    return core.ShowWarningList(true) == IDYES;
  }
  if (core.winCrash) return true;
  if (selected(kWinUsersBox))
    for (const char* name : {"autoexec.bat", "autoexec.baz", "config.sys", "config.syz"})
      if (core.env.files.fileExists(state.setDir + name)) return true;
  if (core.OpenFilesFound > 0) return true;
  if (state.sourceKind == SourceKind::SpareRegistry ||
      state.sourceKind == SourceKind::PlainRegistry ||
      state.sourceKind == SourceKind::OriginalRegistry)
    return true;
  return state.transferMode == RestoreTransfer::SystemBackupCopy && core.SafeMode;
}

std::string RestoreRun::summaryText(bool restarting) const {
  std::string text = std::to_string(core.FilesBackedUp) + " files restored.";
  if (restarting)
    text += state.sourceKind == SourceKind::Removable
                ? "\r\rPlease remove disk from disk drive and quit all applications.\r\rWindows "
                  "Will Now Restart."
                : "\r\rPlease quit all applications.  Windows Will Now Restart";
  if (core.OpenFilesFound > 0)
    text += "\r\r" + std::to_string(core.OpenFilesFound) +
            (core.isNtMode() ? " open files were found.  Please see Corvasta Help to find out how "
                               "to back up open files."
                             : " open files will be restored when Windows restarts.");
  if (core.RegistryFilesFlag && !core.winCrash)
    text += restarting ? "\r\rRegistry files could not be restored.  Please use the Crash Fixer "
                         "with the Windows Crash checkbox checked."
                       : "The Registry files could not be restored.  Please use the Crash Fixer "
                         "with the Windows Crash checkbox checked.";
  return text;
}

void RestoreRun::finishRun() {
  core.Form4.view.overall = 100;
  core.Form4.view.animating = false;
  core.env.ui.showProgress(core.Form4.view);
  core.env.ui.beep();

  const bool restarting = decideRestart();
  DosHandOff& handOff = win9x.handOff;
  const bool dosHandOff = core.WindowsMode == 1 || core.WindowsMode == 2;
  if (restarting && dosHandOff && handOff.method() == DosHandOff::Method::Autoexec)
    handOff.PrepareAutoexec(core.loc.rootDir + "startwin.bat");

  const std::string summary = summaryText(restarting);
  core.Log(summary);
  core.Log("<<< Ended at " + core.Timestamp());
  writeLog();
  core.env.ui.messageBox(summary, core.ApplicationTitle, Buttons::Ok, Icon::Information);
  if (!restarting) return;
  core.Form4.view.caption = "Windows is Restarting";
  core.env.ui.showProgress(core.Form4.view);
  if (dosHandOff)
    handOff.Leave();
  else
    core.RestartWinNT();
}

void RestoreRun::endCancelled() {
  DosHandOff& handOff = win9x.handOff;
  if (handOff.IsOpen()) handOff.Discard();
  removeExtractDir();
  if (registryRestored_ && core.winCrash) appendRegistryNote(core);
  core.ShowWarningList(false);
  core.Log("Restore cancelled: " + std::to_string(core.FilesBackedUp) + " files restored.");
  core.Log("<<< Ended at " + core.Timestamp());
  writeLog();
}

}  // namespace corvasta
