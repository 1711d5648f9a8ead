#include "regpack/Win9xUndoRegPack.h"

#include "app/core/Core.h"
#include "platform/files/file_system.h"
#include "platform/profile/private_profile.h"
#include "restore/Restore.h"

namespace corvasta {

namespace {

// The registry files are being changed while this lives.
class RegistryBusyScope {
 public:
  explicit RegistryBusyScope(Core& core) : core_(core) { core_.RegistryBusy = true; }
  ~RegistryBusyScope() { core_.RegistryBusy = false; }
  RegistryBusyScope(const RegistryBusyScope&) = delete;
  RegistryBusyScope& operator=(const RegistryBusyScope&) = delete;

 private:
  Core& core_;
};

}  // namespace

void Win9xUndoRegPack::Button6Click() {
  core.Log(">>> Undo RegPack started at " + core.Timestamp());
  const bool me = core.WindowsMode == 3;
  UndoCopies copies;
  if (!checkCopies(copies, me)) return;
  if (me) {
    if (!confirmed()) return;
    undoThroughWininit(copies);
    return;
  }
  DosHandOff& handOff = restore.win9x.handOff;
  const DosHandOff::Method method = handOff.ChooseForRegPack();
  if (method == DosHandOff::Method::Pif && !pifReady()) return;
  if (!confirmed()) return;
  undoInMsDosMode(copies);
}

bool Win9xUndoRegPack::checkCopies(UndoCopies& copies, bool withClasses) {
  copies = FindUndoCopies(core, withClasses);
  if (!copies.windowsFault.empty()) {
    core.Log("   " + copies.windowsFault + " is missing or is not a registry file");
    core.env.ui.messageBox("Undo RegPack cannot continue: the undo copy " + copies.windowsFault +
                               " is missing or is not a registry file.\r\rNothing has been "
                               "changed.",
                           core.ApplicationTitle, Buttons::Ok, Icon::Error);
    return false;
  }
  for (const std::string& damaged : copies.damaged) {
    core.Log("   " + damaged + " is not a registry file and is not restored");
    core.env.ui.messageBox("The undo copy " + damaged +
                               " is not a registry file.\r\rIt is not restored: that profile keeps "
                               "its present registry file.",
                           core.ApplicationTitle, Buttons::Ok, Icon::Warning);
  }
  return true;
}

bool Win9xUndoRegPack::confirmed() {
  return core.env.ui.messageBox(
             "Undo RegPack must restart Windows to proceed.\rPlease quit all "
             "applications.\r\rContinue?",
             core.ApplicationTitle, Buttons::YesNo, Icon::Information) == IDYES;
}

bool Win9xUndoRegPack::pifReady() {
  platform::FileSystem& files = core.env.files;
  const std::string& program = core.loc.programDir;
  if (!files.fileExists(program + "command.pif")) {
    core.env.ui.messageBox("Command.com is not properly setup.\r\rPlease reinstall Corvasta " +
                               core.LongModeName + ".  Command.pif missing.",
                           core.ApplicationTitle, Buttons::Ok, Icon::Error);
    return false;
  }
  if (!files.fileExists(program + "command.com")) {
    const std::string root = core.loc.rootDir + "command.com";
    files.copyFile(files.fileExists(root) ? root : core.loc.windowsDir + "command.com",
                   program + "command.com", false);
  }
  return restore.win9x.handOff.SupportFilesPresent(DosHandOff::Method::Pif);
}

std::vector<std::string> Win9xUndoRegPack::WriteUndoBatch(const UndoCopies& copies) const {
  const platform::Machine& machine = core.env.machine;
  const std::string w = ShortFileName(machine, core.loc.windowsDir);
  const std::string attrib = "@" + w + "command\\attrib -s -h -r ";
  std::vector<std::string> lines{
      "@smartdrv",
      "@echo RegPack Process of Corvasta " + core.LongModeName,
      "@echo    Restoring Old System Settings from Backup",
      attrib + w + "system.dat",
      attrib + w + "user.dat",
      "@copy " + w + "system.zzz " + w + "system.dat",
      "@copy " + w + "user.zzz " + w + "user.dat",
  };
  for (const UndoCopy& copy : copies.profiles) {
    const std::string user = ShortFileName(machine, copy.target);
    const std::string folder =
        ShortFileName(machine, copy.target.substr(0, copy.target.size() - 8));
    lines.push_back("@echo    Restoring Old " + copy.profile + " User Settings from Backup");
    lines.push_back(attrib + user);
    lines.push_back("@del " + user);
    lines.push_back("@copy " + folder + "user.zzz " + user);
  }
  lines.push_back("@echo    RegPack Undo Finished - Restarting Windows");
  lines.push_back("@pause");
  return lines;
}

void Win9xUndoRegPack::undoInMsDosMode(const UndoCopies& copies) {
  DosHandOff& handOff = restore.win9x.handOff;
  const DosHandOff::Method method = handOff.ChooseForRegPack();
  RegistryBusyScope busy(core);
  if (method == DosHandOff::Method::Autoexec) {
    handOff.PrepareAutoexec(core.loc.rootDir + "startwin.bat");
    handOff.Begin(method);
    handOff.AddLines(WriteUndoBatch(copies));
    handOff.Close();
    endLine();
    handOff.Leave();
    return;
  }
  handOff.Begin(method);
  handOff.AddLines(WriteUndoBatch(copies));
  handOff.Close();
  core.env.ui.processMessages();
  handOff.Leave();
}

void Win9xUndoRegPack::undoThroughWininit(const UndoCopies& copies) {
  platform::FileSystem& files = core.env.files;
  const platform::Machine& machine = core.env.machine;
  RegistryBusyScope busy(core);
  std::vector<UndoCopy> all = copies.windows;
  all.insert(all.end(), copies.profiles.begin(), copies.profiles.end());

  // Every copy goes to the Temp folder first, since WININIT moves its source
  // and the undo copies stay for another Undo. Only when all of them are
  // there does wininit.ini name them, and a failure takes back every line
  // written: a registry put back in part would mix two states.
  const std::string temp = restore.win9x.tempFolder(core.loc.windowsDir);
  const std::string wininit = core.loc.windowsDir + "wininit.ini";
  std::vector<std::string> staged;
  size_t named = 0;
  try {
    core.createDirectories(temp);
    for (size_t i = 0; i < all.size(); ++i) {
      const std::string name = all[i].profile.empty()
                                   ? all[i].target.substr(core.loc.windowsDir.size())
                                   : "user" + std::to_string(i) + ".dat";
      files.copyFile(all[i].copy, temp + name, false);
      staged.push_back(temp + name);
    }
    for (; named < all.size(); ++named)
      platform::writePrivateProfileString(core.env.machine, "Rename",
                                          ShortFileName(machine, all[named].target),
                                          ShortFileName(machine, staged[named]), wininit);
  } catch (const corvasta::Error& error) {
    try {
      for (size_t i = 0; i < named; ++i)
        platform::writePrivateProfileString(core.env.machine, "Rename",
                                            ShortFileName(machine, all[i].target), std::nullopt,
                                            wininit);
      // The copies carry the registry files' read-only, hidden and system bits.
      for (const std::string& file : staged) {
        if (!files.fileExists(file)) continue;
        files.setFileAttributes(file, platform::kAttributeNormal);
        files.deleteFile(file);
      }
    } catch (const corvasta::Error&) {
      // What cannot be taken back stays; the message below says the undo failed.
    }
    core.Log("   " + std::string(error.what()));
    core.Log("<<< Undo RegPack not successful - " + core.Timestamp());
    core.WriteResultFile();
    core.env.ui.messageBox("WARNING - An Error has Occurred - Undo RegPack NOT Successful.",
                           core.ApplicationTitle, Buttons::Ok, Icon::Error);
    return;
  }
  endLine();
  core.RestartWinNT();
}

void Win9xUndoRegPack::endLine() {
  core.Log("<<< Undo RegPack finished - " + core.Timestamp());
  core.WriteResultFile();
}

}  // namespace corvasta
