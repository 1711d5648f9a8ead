// Windows 95 and 98: the registry files to the Root directory's Temp folder
// and the lines of startwin.bat that copy them into place in MS-DOS mode.

#include "restore/Win9xRegistryRestore.h"

#include "app/core/Core.h"
#include "backup/ArchivePathParts.h"
#include "platform/files/file_system.h"

namespace corvasta {

void Win9xRegistryRestore::RestoreDosRegistry(const std::string& attrib) {
  const platform::Machine& machine = core.env.machine;
  const std::string temp = tempFolder(core.loc.rootDir);
  const std::string a = ShortFileName(machine, attrib);
  const int step = state.progressStep;

  const std::string tempUser = temp + "user.dat";
  if (unzipping()) askForMissing(userSource(), "OK");
  const bool userArrived = restoreUserFiles(tempUser);
  advance(step);
  if (userArrived) {
    const std::string d = ShortFileName(machine, userTarget());
    const std::string tu = ShortFileName(machine, tempUser);
    handOff.AddLines({"@" + a + " -h -s -r " + d, "@" + a + " -h -s -r " + tu,
                      "@echo    Restoring User Settings", "@copy " + tu + " " + d, "@del " + tu});
  }

  const std::string tempSystem = temp + "system.dat";
  if (unzipping()) askForMissing(systemSource(), "OK");
  const bool systemArrived = transferRegistryFile(systemSource(), tempSystem);
  advance(step);
  if (systemArrived) {
    const std::string w = ShortFileName(machine, core.loc.windowsDir + "system.dat");
    const std::string ts = ShortFileName(machine, tempSystem);
    handOff.AddLines({"@" + a + " -h -s -r " + w, "@" + a + " -h -s -r " + ts,
                      "@echo    Restoring System Settings", "@copy " + ts + " " + w, "@del " + ts});
  }
}

}  // namespace corvasta
