// The window start sequence: what runs once when the main window is first
// shown, ending with the automatic runs that the command line requested.

#include <exception>

#include "app/Unit1.h"
#include "app/core/DeleteFile.h"
#include "app/core/SettingsConfigRecord.h"
#include "app/core/SettingsNames.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "platform/system/system_info.h"

namespace corvasta {
namespace {

// The installer's marker: its presence means the program runs for the first
// time after being installed.
constexpr const char* kInstallerMarker = "afterset.bat";

void copyToDriveC(TForm1& form, const std::string& name) {
  const std::string source = form.core.loc.programDir + name;
  if (form.core.env.files.fileExists(source))
    form.core.env.files.copyFile(source, "c:\\" + name, false);
}

void finishInstallation(TForm1& form) {
  platform::FileSystem& files = form.core.env.files;
  const std::string marker = form.core.loc.programDir + kInstallerMarker;
  if (!files.fileExists(marker)) return;
  if (files.directoryExists("C:\\")) {
    copyToDriveC(form, "crvastnt.exe");
    copyToDriveC(form, "unzip.exe");
  }
  DeleteFileIfPresent(files, form.core.loc.programDir + "command.com");
  DeleteFileIfPresent(files, marker);
}

// The DOS edition finds the program directory through these files.
void writeLocationFiles(TForm1& form) {
  const std::string key = "Corvasta" + form.core.LongModeName;
  const std::string name = "crv" + form.core.ShortModeName + "dir.ini";
  const std::string shortProgramDir =
      ShortFileName(form.core.env.machine, form.core.loc.programDir);
  try {
    platform::TIniFile(form.core.env.machine, "C:\\" + name)
        .WriteString("Location", key, shortProgramDir);
  } catch (const corvasta::Error&) {
    // Drive C: may be read-only or absent; the copy in the program directory suffices.
  }
  platform::TIniFile(form.core.env.machine, form.core.loc.programDir + name)
      .WriteString("Location", key, shortProgramDir);
}

void readConfigNames(TForm1& form, const platform::TIniFile& settings) {
  for (int config = 1; config <= 4; ++config) {
    const size_t index = static_cast<size_t>(config - 1);
    form.core.Form8.configNames[index] = readConfigName(settings, config);
    form.core.Form8.automationLabels[index] = form.core.Form8.automationLabel(config);
  }
  for (int box = 1; box <= 4; ++box)
    form.core.configChecked[static_cast<size_t>(box - 1)] =
        settings.ReadBool(kPreferences, "Config" + std::to_string(box), box == 1);
}

void readRestorePage(TForm1& form, const platform::TIniFile& settings) {
  form.core.restoreType = settings.ReadInteger(kRestorePreferences, "RestoreType", 0);
  form.core.winCrash = settings.ReadBool(kRestorePreferences, "WinCrash", true);
  form.core.winUsers = settings.ReadBool(kRestorePreferences, "WinUsers", false);
  form.core.userFiles = settings.ReadBool(kRestorePreferences, "UserFiles", false);
  form.core.otherFiles = settings.ReadBool(kRestorePreferences, "OtherFiles", false);
  form.RestorePageRefresh();
}

void setAvailabilityFlags(TForm1& form) {
  form.undoRegPackEnabled = form.regpack.UndoAvailable();
  form.restore.sources.FindAvailableSources();
}

void findLocationsAndState(TForm1& form) {
  form.core.ReadDirectories();
  setAvailabilityFlags(form);
  const platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
  form.core.SwitchConfig(settings.ReadInteger(kPreferences, "curconfig", 1));
  form.core.CheckDirectories();
  form.preferences.automation.MaintainStartupShortcut();
  platform::TIniFile(form.core.env.machine, form.core.settingsFile())
      .WriteString(kDefaultDirectories, "Windows", form.core.loc.windowsDir);
  form.FillList();
  form.backup.manager.backupSetsPresent =
      !settings.ReadString("Backup Directories", "1", "").empty();
  if (form.GetMarqueeText) form.GetMarqueeText();
  form.BeginningPrompts();
}

// The automatic work: runs whatever happened while the window was set up.
void runRequests(TForm1& form) {
  form.core.env.ui.setBusyCursor(false);
  form.core.FilesBackedUp = 0;
  form.core.OpenFilesFound = 0;
  form.core.RegistryFilesFlag = false;
  form.core.ErrorFlag = false;
  DeleteFileIfPresent(form.core.env.files, form.core.loc.programDir + "longfn.txt");
  DeleteFileIfPresent(form.core.env.files, form.core.loc.programDir + "bigfiles.txt");
  for (int config = 0; config < 4; ++config) {
    if (!form.core.requests.backup[static_cast<size_t>(config)]) continue;
    form.BackupClick(config);
  }
  if (form.core.requests.regPack) form.CompactClick();
}

}  // namespace

void TForm1::FormShow() {
  core.SetModeNames();
  finishInstallation(*this);
  core.CloseAfterRun = false;

  core.loc.helpFile = core.loc.programDir + "Corvasta.hlp";
  const std::string modeHelp = core.loc.programDir + "Corvasta" + core.ShortModeName + ".hlp";
  if (core.env.files.fileExists(modeHelp)) core.loc.helpFile = modeHelp;

  core.RedoShortDate();
  core.SafeMode = platform::getCleanBootMetric(core.env.machine) == 1;
  WarnOfDamagedRegistry();
  writeLocationFiles(*this);
  {
    const platform::TIniFile settings(core.env.machine, core.settingsFile());
    readConfigNames(*this, settings);
    readRestorePage(*this, settings);
  }
  if (core.WindowsMode == 2 || core.WindowsMode == 3) core.ReadScanReg();
  ReadSettings();

  core.env.ui.setBusyCursor(true);
  try {
    findLocationsAndState(*this);
  } catch (...) {
    runRequests(*this);
    throw;
  }
  runRequests(*this);

  platform::TIniFile(core.env.machine, core.settingsFile()).WriteBool("AutoStart", "switch", false);
  if (core.CloseAfterRun) terminateRequested = true;
}

// Start-up questions. Each offers Yes, No and Cancel; Cancel leaves every
// remaining question for the next start.
void TForm1::BeginningPrompts() {
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  const auto ask = [this](const std::string& text, const std::string& caption) {
    return core.env.ui.messageBox(text, caption, Buttons::YesNoCancel, Icon::Information);
  };

  const std::string marker = core.loc.programDir + kInstallerMarker;
  if (core.env.files.fileExists(marker)) {
    const platform::TIniFile installer(core.env.machine, marker);
    if (!installer.ReadBool("CopyFiles2C", "Done", false)) {
      if (core.env.files.directoryExists("C:\\")) {
        copyToDriveC(*this, "crvast" + core.ShortModeName + ".exe");
        copyToDriveC(*this, "unzip.exe");
      }
      DeleteFileIfPresent(core.env.files, core.loc.programDir + "command.com");
      platform::TIniFile(core.env.machine, marker).WriteBool("CopyFiles2C", "Done", true);
    }
    bool allDoNotPerform = true;
    for (int freq : core.Form8.automationFreq)
      allDoNotPerform = allDoNotPerform && freq == kDoNotPerform;
    if (installer.ReadBool("Automation", "Prompt", true) && allDoNotPerform) {
      const int answer =
          ask("It is important that you make backups regularly.  Corvasta can automatically backup "
              "important system files daily when Windows starts.  Do you want Corvasta to do "
              "this?\r\rIf you want to wait to decide until next time, click on Cancel",
              "Run Corvasta when Windows starts up?");
      if (answer == IDCANCEL) return;
      // Config 1 becomes "Daily" as if picked on the Automation page: the
      // Startup shortcut appears at once, not only at the next start.
      if (answer == IDYES) preferences.automation.FreqClick(1, 0);
      platform::TIniFile(core.env.machine, marker).WriteBool("Automation", "Prompt", false);
    }
    if (installer.ReadBool("NTBootDisk", "Prompt", true)) {
      const int answer = ask(
          "It is important to have an NT Boot Disk, just in case WinNT's boot structure is "
          "corrupted.  Do you want Corvasta to make an NT Boot Disk now?\r\rIf you want to wait "
          "until next time, click on Cancel",
          "Make NT Boot Disk?");
      if (answer == IDCANCEL) return;
      if (answer == IDYES) {
        bootDiskKind = kNtBootDisk;
        MakeBootDisk(kNtBootDisk);
      }
      platform::TIniFile(core.env.machine, marker).WriteBool("NTBootDisk", "Prompt", false);
    }
    if (installer.ReadBool("DOSBootDisk", "Prompt", true)) {
      const int answer =
          ask("You should make a DOS Boot Disk.  To do this you will need to already have a DOS "
              "bootable diskette (see Help for more information).  Do you want Corvasta to make an "
              "DOS Boot Disk now?\r\rIf you want to wait until next time, click on Cancel",
              "Make DOS Boot Disk?");
      if (answer == IDCANCEL) return;
      if (answer == IDYES) {
        bootDiskKind = kDosBootDisk;
        MakeBootDisk(kDosBootDisk);
      }
      platform::TIniFile(core.env.machine, marker).WriteBool("DOSBootDisk", "Prompt", false);
    } else {
      DeleteFileIfPresent(core.env.files, marker);
    }
  }

  if (settings.ReadBool("HDChanged", "Prompt", false)) {
    std::optional<uint32_t> serial;
    try {
      serial = core.env.files.getVolumeInformation(core.loc.rootDir.substr(0, 3)).serial;
    } catch (const corvasta::Error&) {
      // An unreadable drive gives no reason to ask.
    }
    const int32_t stored = settings.ReadInteger("Produced by", "SerialNum", 0);
    if (serial && static_cast<int32_t>(*serial) != stored) {
      const int answer =
          ask("Corvasta has detected that your Hard Drive has changed since you made a Boot Disk.  "
              "It is recommended that you make another Boot Disk.  Would you like to make a Boot "
              "Disk now?\r\rIf you want to wait until next time, click on Cancel",
              "Make Boot Disk?");
      if (answer == IDCANCEL) return;
      if (answer == IDYES) {
        MakeBootDisk(bootDiskKind);
      }
      settings.WriteBool("HDChanged", "Prompt", answer == IDYES);
    }
  }

  settings.WriteString("Produced by", "VersionNo", kVersionText);
  if (settings.ReadString("Produced by", "NewFeaturesShown", "") != kVersionText &&
      !core.requests.backup[0] && !core.requests.backup[1] && !core.requests.backup[2] &&
      !core.requests.backup[3])
    settings.WriteString("Produced by", "NewFeaturesShown", kVersionText);
}

}  // namespace corvasta
