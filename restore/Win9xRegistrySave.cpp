// Windows ME (Save9xRegistry): the registry files to the Temp folders of
// their drives, each named in the Rename section of wininit.ini, which
// Windows carries out at its next start before it loads the registry.

#include "app/core/Core.h"
#include "backup/ArchivePathParts.h"
#include "platform/files/file_system.h"
#include "platform/profile/private_profile.h"
#include "restore/Win9xRegistryRestore.h"

namespace corvasta {

namespace {

void addRename(Core& core, const std::string& wininitDir, const std::string& destination,
               const std::string& source) {
  const platform::Machine& machine = core.env.machine;
  platform::writePrivateProfileString(core.env.machine, "Rename",
                                      ShortFileName(machine, destination),
                                      ShortFileName(machine, source), wininitDir + "wininit.ini");
}

}  // namespace

void Win9xRegistryRestore::Save9xRegistry(const std::string& userFile, int progressStep,
                                          bool compressed) {
  state.transferMode = compressed ? RestoreTransfer::Unzip : state.transferMode;
  core.Form4.view.status = "Restoring Registry";
  core.env.ui.showProgress(core.Form4.view);
  const std::string& boot = core.loc.winbootdir.empty() ? core.loc.windowsDir : core.loc.winbootdir;

  if (state.sourceKind != SourceKind::OriginalRegistry) {
    askForMissing(userFile, "Yes");
    const std::string tempUser = tempFolder(core.loc.userDir) + "user.dat";
    if (restoreUserFiles(tempUser)) addRename(core, boot, core.loc.userDir + "user.dat", tempUser);
  }
  advance(progressStep);

  const std::string tempSystem = tempFolder(boot) + "system.dat";
  askForMissing(systemSource(), "Yes");
  if (transferRegistryFile(systemSource(), tempSystem))
    addRename(core, boot, boot + "system.dat", tempSystem);
  advance(progressStep);

  const std::string classes = classesSource();
  if (!classes.empty()) {
    const std::string tempClasses = tempFolder(boot) + "classes.dat";
    askForMissing(classes, "Yes");
    if (transferRegistryFile(classes, tempClasses))
      addRename(core, core.loc.windowsDir, boot + "classes.dat", tempClasses);
  }
  advance(progressStep);
}

}  // namespace corvasta
