#include "regpack/Win9xUndoRegPack.h"

#include "app/core/Core.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/private_profile.h"
#include "regpack/WininitRenames.h"
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

// A registry file's name with another extension: where the MS-DOS batch puts
// its undo copy down (".cpy") and the name the whole copy then takes (".und").
std::string besideTarget(const std::string& target, const char* extension) {
  return target.substr(0, target.rfind('.') + 1) + extension;
}

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
  // DOS copies over a file in place, and a start cut off in the middle of
  // that would leave half a registry file, which nothing puts right: the
  // pif hand-off runs once. So each copy goes down beside its registry file
  // and is renamed to ".und" only when whole; WININIT, which follows the
  // batch at the same start and finishes at the next one when cut off,
  // renames the ".und" files over the registry files (NameUndoMoves).
  auto putBack = [&](const UndoCopy& copy) {
    const std::string target = ShortFileName(machine, copy.target);
    const std::string folder = target.substr(0, target.rfind('\\') + 1);
    const std::string name = platform::ansiLower(target.substr(folder.size()));
    const std::string source = ShortFileName(machine, copy.copy);
    return std::vector<std::string>{
        attrib + target, "@copy " + source + " " + besideTarget(folder + name, "cpy"),
        "@ren " + besideTarget(folder + name, "cpy") + " " + besideTarget(name, "und")};
  };
  std::vector<std::string> lines{
      "@smartdrv",
      "@echo RegPack Process of Corvasta " + core.LongModeName,
      "@echo    Restoring Old System Settings from Backup",
  };
  for (const UndoCopy& copy : copies.windows)
    for (std::string& line : putBack(copy)) lines.push_back(std::move(line));
  for (const UndoCopy& copy : copies.profiles) {
    lines.push_back("@echo    Restoring Old " + copy.profile + " User Settings from Backup");
    for (std::string& line : putBack(copy)) lines.push_back(std::move(line));
  }
  lines.push_back("@echo    RegPack Undo Finished - Restarting Windows");
  lines.push_back("@pause");
  return lines;
}

void Win9xUndoRegPack::NameUndoMoves(const UndoCopies& copies) {
  platform::FileSystem& files = core.env.files;
  const platform::Machine& machine = core.env.machine;
  std::vector<UndoCopy> all = copies.windows;
  all.insert(all.end(), copies.profiles.begin(), copies.profiles.end());
  std::vector<WininitMove> moves;
  for (const UndoCopy& copy : all) {
    // Left by an Undo that did not get to its end: never to be taken for this one.
    for (const char* extension : {"cpy", "und"}) {
      const std::string left = besideTarget(copy.target, extension);
      if (!files.fileExists(left)) continue;
      files.setFileAttributes(left, platform::kAttributeNormal);
      files.deleteFile(left);
    }
    const std::string target = ShortFileName(machine, copy.target);
    moves.push_back({target, besideTarget(target, "UND")});
  }
  NameInWininit(core.env.machine, core.loc.windowsDir + "wininit.ini", moves);
}

void Win9xUndoRegPack::undoInMsDosMode(const UndoCopies& copies) {
  DosHandOff& handOff = restore.win9x.handOff;
  const DosHandOff::Method method = handOff.ChooseForRegPack();
  RegistryBusyScope busy(core);
  try {
    NameUndoMoves(copies);
  } catch (const corvasta::Error& error) {
    notSuccessful(error);
    return;
  }
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
  std::vector<std::string> staged;
  try {
    core.createDirectories(temp);
    std::vector<WininitMove> moves;
    for (size_t i = 0; i < all.size(); ++i) {
      const std::string name = all[i].profile.empty()
                                   ? all[i].target.substr(core.loc.windowsDir.size())
                                   : "user" + std::to_string(i) + ".dat";
      files.copyFile(all[i].copy, temp + name, false);
      staged.push_back(temp + name);
      moves.push_back(
          {ShortFileName(machine, all[i].target), ShortFileName(machine, staged.back())});
    }
    NameInWininit(core.env.machine, core.loc.windowsDir + "wininit.ini", moves);
  } catch (const corvasta::Error& error) {
    try {
      // The copies carry the registry files' read-only, hidden and system bits.
      for (const std::string& file : staged) {
        if (!files.fileExists(file)) continue;
        files.setFileAttributes(file, platform::kAttributeNormal);
        files.deleteFile(file);
      }
    } catch (const corvasta::Error&) {
      // What cannot be taken back stays; the message below says the undo failed.
    }
    notSuccessful(error);
    return;
  }
  endLine();
  core.RestartWinNT();
}

void Win9xUndoRegPack::notSuccessful(const corvasta::Error& error) {
  core.Log("   " + std::string(error.what()));
  core.Log("<<< Undo RegPack not successful - " + core.Timestamp());
  core.WriteResultFile();
  core.env.ui.messageBox("WARNING - An Error has Occurred - Undo RegPack NOT Successful.",
                         core.ApplicationTitle, Buttons::Ok, Icon::Error);
}

void Win9xUndoRegPack::endLine() {
  core.Log("<<< Undo RegPack finished - " + core.Timestamp());
  core.WriteResultFile();
}

}  // namespace corvasta
