// CompactClick for Windows 95, 98 and ME, its confirmation, and the tab's
// third button.

#include "regpack/Win9xRegPack.h"

#include "app/core/Core.h"
#include "app/core/EditAutoexec.h"
#include "backup/Backup.h"
#include "platform/profile/ini_file.h"
#include "platform/system/process_start.h"
#include "regpack/RegistryEditorVersion.h"
#include "restore/Restore.h"

namespace corvasta {

namespace {

// Set while RegPack reads or changes the registry files, so that the
// window is not closed in the middle.
struct RegistryBusyScope {
  explicit RegistryBusyScope(Core& core) : core(core), was(core.RegistryBusy) {
    core.RegistryBusy = true;
  }
  ~RegistryBusyScope() { core.RegistryBusy = was; }
  Core& core;
  bool was;
};

constexpr const char* kAutoexecQuestion =
    "RegPack must restart Windows to proceed.\rPlease quit all applications.\r\rWARNING - Use "
    "Undo RegPack (also available on the Boot Disk) to undo any problems caused by "
    "RegPack.\r\rWARNING - RegPack can take up to half an hour!!\r\rContinue?";
constexpr const char* kPifQuestion =
    "RegPack must restart Windows to proceed.\rPlease quit all applications.\r\rIf the screen "
    "goes blank and Windows does not restart, then select \"autoexec.bat\" on the Advanced tab "
    "of Corvasta Preferences\r\rWARNING - Use Undo RegPack (also available on the Boot Disk) to "
    "undo any problems caused by RegPack.\r\rWARNING - RegPack can take up to half an "
    "hour!!\r\rContinue?";

}  // namespace

DosHandOff& Win9xRegPack::handOff() {
  return restore.win9x.handOff;
}

bool Win9xRegPack::expanded() const {
  return core.WindowsMode == 1 || (core.WindowsMode == 2 && core.Form8.regPackMode == 1);
}

void Win9xRegPack::CompactClick() {
  if (!supportFilesReady()) return;
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  core.Log(">>> RegPack started at " + core.Timestamp());
  settings.WriteBool("AutoCompact", "switch", false);
  if (!registryReadable()) return;

  const bool expandedRegPack = expanded();
  const DosHandOff::Method method = handOff().ChooseForRegPack();
  const bool autoexecMethod = method == DosHandOff::Method::Autoexec;
  const std::string& windows = core.loc.windowsDir;
  {
    RegistryBusyScope busy(core);
    if (expandedRegPack) {
      const std::optional<std::string> attrib = backup.openFiles.LocateAttribExe();
      if (!attrib) return;
      attrib_ = *attrib;
      const std::string build = GetVer(core.env.files, windows + "regedit.exe");
      if (std::stoi(build) < kRegPackRegistryEditorBuild) {
        core.env.ui.messageBox(
            "In order to use the RegPack feature, you will need to download a new Regedit.  "
            "Please see instructions.",
            core.ApplicationTitle, Buttons::Ok, Icon::Information);
        Button3Click();
        return;
      }
      if (!autoexecMethod && !core.env.files.fileExists(core.loc.programDir + "startwin.pif")) {
        core.env.ui.messageBox("Startwin.bat is not properly setup.\r\rPlease reinstall Corvasta.",
                               core.ApplicationTitle, Buttons::Ok, Icon::Error);
        return;
      }
      if (!exportRegistry()) return;
    } else if (!makeQuickUndoCopies()) {
      return;
    }

    if (core.WindowsMode == 3) {
      settings.WriteBool("RegPack", "JustDone", true);
      platform::winExec(core.env.machine, windows + "command\\scanreg /fix ");
      finishLog();
      applyCloseAfterRun();
      return;
    }
  }

  if (!confirm(autoexecMethod)) return;
  settings.WriteBool("RegPack", "JustDone", true);

  const std::string batch = core.loc.rootDir + "startwin.bat";
  try {
    if (expandedRegPack) {
      WriteRegPackBatch();
    } else {
      handOff().Begin(method);
      std::vector<std::string> lines = QuickRegPackBatchLines(windows, autoexecMethod);
      const std::string closing = lines.back();
      lines.pop_back();
      handOff().AddLines(lines);
      handOff().Close(closing);
    }
    // The batch file is written before autoexec.bat calls it.
    if (autoexecMethod) handOff().PrepareAutoexec(batch + "\r\ndel " + batch);
  } catch (const std::exception& error) {
    // Windows is not left with half a hand-off: no batch, no call, nothing
    // that announces a RegPack.
    try {
      handOff().Discard();
      if (autoexecMethod)
        EditAutoexec(core.env.files, core.loc.rootDir + "autoexec.bat", batch, true, false, "");
    } catch (const std::exception&) {
      // What could not be written cannot be taken back either.
    }
    settings.WriteBool("RegPack", "JustDone", false);
    settings.WriteInteger("Bootup", "Action", 0);
    stopWith(std::string("RegPack could not prepare the restart: ") + error.what());
    return;
  }
  if (!autoexecMethod) core.env.ui.processMessages();
  finishLog();
  handOff().Leave();
  applyCloseAfterRun();
}

bool Win9xRegPack::confirm(bool autoexecMethod) {
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  if (core.requests.regPack) {
    settings.WriteInteger("Bootup", "Action", 2);
    return true;
  }
  const int answer =
      core.env.ui.messageBox(autoexecMethod ? kAutoexecQuestion : kPifQuestion,
                             core.ApplicationTitle, Buttons::YesNo, Icon::Information);
  if (answer != IDYES) return false;
  settings.WriteInteger("Bootup", "Action", 1);
  return true;
}

void Win9xRegPack::finishLog() {
  core.Log("<<< RegPack Completed - " + core.Timestamp());
  core.WriteResultFile();
}

void Win9xRegPack::stopWith(const std::string& message) {
  core.env.ui.messageBox(message, core.ApplicationTitle, Buttons::Ok, Icon::Error);
  core.Log(message);
  core.Log("<<< RegPack not successful - " + core.Timestamp());
  core.WriteResultFile();
}

void Win9xRegPack::applyCloseAfterRun() {
  if (core.requests.regPack && !core.requests.start) core.CloseAfterRun = true;
  core.requests.regPack = false;
}

void Win9xRegPack::Button3Click() {
  if (core.WindowsMode == 1) {
    core.reportNotAvailable("Upgrading the Registry Editor");
    return;
  }
  platform::winExec(core.env.machine, core.loc.windowsDir + "scanregw.exe");
}

}  // namespace corvasta
