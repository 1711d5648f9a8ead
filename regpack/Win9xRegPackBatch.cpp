// The Expanded RegPack's startwin.bat: the paths it is written for, the
// profile folders it covers, and the writing.

#include "app/core/Core.h"
#include "platform/files/file_system.h"
#include "regpack/Win9xRegPack.h"
#include "restore/Restore.h"

namespace corvasta {

std::vector<std::string> Win9xRegPack::profileFolders() const {
  platform::FileSystem& files = core.env.files;
  const std::string profiles = core.loc.windowsDir + "Profiles\\";
  std::vector<std::string> folders;
  if (!files.directoryExists(profiles)) return folders;
  for (const platform::FindData& entry : files.findAll(profiles + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (!(entry.attributes & platform::kAttributeDirectory)) continue;
    folders.push_back(profiles + entry.name + "\\");
  }
  return folders;
}

RegPackBatchPaths Win9xRegPack::batchPaths() const {
  const platform::Machine& machine = core.env.machine;
  RegPackBatchPaths paths;
  paths.attrib = attrib_;
  paths.bootDir = core.loc.winbootdir;
  paths.windowsDir = core.loc.windowsDir;
  paths.shortWindowsDir = CheckPath(ShortFileName(machine, RemoveBackSl(core.loc.windowsDir)));
  paths.userDir = core.loc.userDir;
  paths.automatic = core.requests.regPack;
  const size_t nameStart = core.loc.windowsDir.size() + std::string("Profiles\\").size();
  for (const std::string& folder : profileFolders()) {
    if (!core.env.files.fileExists(folder + "user.dat")) continue;
    RegPackProfile profile;
    profile.name = folder.substr(nameStart, folder.size() - nameStart - 1);
    profile.folder = folder;
    profile.shortFolder = CheckPath(ShortFileName(machine, RemoveBackSl(folder)));
    profile.shortUserDat = ShortFileName(machine, folder + "user.dat");
    paths.profiles.push_back(profile);
  }
  return paths;
}

void Win9xRegPack::WriteRegPackBatch() {
  DosHandOff& batch = restore.win9x.handOff;
  std::vector<std::string> lines = RegPackBatchLines(batchPaths());
  const std::string closing = lines.back();
  lines.pop_back();
  batch.Begin(batch.ChooseForRegPack());
  batch.AddLines(lines);
  batch.Close(closing);
}

}  // namespace corvasta
