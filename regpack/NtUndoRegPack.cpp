// Undo RegPack in modes 0, 4 to 6: the hives of the undo archive that the
// last RegPack left put in place at the next start. The archive stays, so
// the undo can be repeated.

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/files/file_system.h"
#include "regpack/NtRegPack.h"
#include "regpack/RegistryArchiveCheck.h"

namespace corvasta {

void NtRegPack::Button6Click() {
  core.Log(">>> Undo RegPack started at " + core.Timestamp());
  if (!core.env.files.fileExists(undoArchive())) return;
  // A damaged archive would leave every hive as it is at the next start
  // while the user is told the undo has run: say so now and change nothing.
  const std::string fault = registryArchiveFault(core, backup.extractFolder, undoArchive());
  if (!fault.empty()) {
    refuseArchive(fault, kUndoEnding.failedLine);
    return;
  }
  core.ErrorList = {"The following file(s) could not be restored:", ""};
  core.ErrorFlag = false;
  if (core.env.ui.messageBox(
          "Undo RegPack must restart Windows to proceed.\rPlease quit all applications.\r\r"
          "Continue?",
          core.ApplicationTitle, Buttons::YesNo, Icon::Information) != IDYES)
    return;
  replaceFromUndoArchive(kUndoEnding, false);
}

}  // namespace corvasta
