// The window start sequence: what runs once when the main window is first
// shown, ending with the automatic runs that the command line requested.

#include <exception>

#include "app/DeleteFile.h"
#include "app/SettingsNames.h"
#include "app/Unit1.h"
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
  const std::string source = form.loc.programDir + name;
  if (form.env.files.fileExists(source)) form.env.files.copyFile(source, "c:\\" + name, false);
}

void finishInstallation(TForm1& form) {
  platform::FileSystem& files = form.env.files;
  const std::string marker = form.loc.programDir + kInstallerMarker;
  if (!files.fileExists(marker)) return;
  if (files.directoryExists("C:\\")) {
    copyToDriveC(form, "crvastnt.exe");
    copyToDriveC(form, "unzip.exe");
  }
  DeleteFileIfPresent(files, form.loc.programDir + "command.com");
  DeleteFileIfPresent(files, marker);
}

// The DOS edition finds the program directory through these files.
void writeLocationFiles(TForm1& form) {
  const std::string key = "Corvasta" + form.LongModeName;
  const std::string name = "crv" + form.ShortModeName + "dir.ini";
  const std::string shortProgramDir = ShortFileName(form.env.machine, form.loc.programDir);
  try {
    platform::TIniFile(form.env.machine, "C:\\" + name)
        .WriteString("Location", key, shortProgramDir);
  } catch (const corvasta::Error&) {
    // Drive C: may be read-only or absent; the copy in the program directory suffices.
  }
  platform::TIniFile(form.env.machine, form.loc.programDir + name)
      .WriteString("Location", key, shortProgramDir);
}

void readConfigNames(TForm1& form, const platform::TIniFile& settings) {
  static constexpr std::array<const char*, 4> kOrdinals{"1st", "2nd", "3rd", "4th"};
  for (int config = 1; config <= 4; ++config) {
    const size_t index = static_cast<size_t>(config - 1);
    const std::string name = settings.ReadString(std::string(kPreferences) + std::to_string(config),
                                                 "ConfigName", "Config " + std::to_string(config));
    form.Form8.configNames[index] = name;
    form.Form8.automationLabels[index] =
        std::string("Back up &") + kOrdinals[index] + " Setup (" + name + ").";
  }
  for (int box = 1; box <= 4; ++box)
    form.configChecked[static_cast<size_t>(box - 1)] =
        settings.ReadBool(kPreferences, "Config" + std::to_string(box), box == 1);
}

void readRestorePage(TForm1& form, const platform::TIniFile& settings) {
  form.restoreType = settings.ReadInteger(kRestorePreferences, "RestoreType", 0);
  form.winCrash = settings.ReadBool(kRestorePreferences, "WinCrash", true);
  form.winUsers = settings.ReadBool(kRestorePreferences, "WinUsers", false);
  form.userFiles = settings.ReadBool(kRestorePreferences, "UserFiles", false);
  form.otherFiles = settings.ReadBool(kRestorePreferences, "OtherFiles", false);
  if (form.RestorePageRefresh) form.RestorePageRefresh();
}

void setAvailabilityFlags(TForm1& form) {
  platform::FileSystem& files = form.env.files;
  const SystemLocations& loc = form.loc;
  form.undoRegPackEnabled = form.isWin9xMode() ? files.fileExists(loc.winbootdir + "system.zzz")
                                               : files.fileExists(loc.windowsDir + "registry.zzz");
  if (form.WindowsMode == 1)
    form.previousRegistryAvailable = files.fileExists(loc.windowsDir + "system.da0") &&
                                     files.fileExists(loc.windowsDir + "user.da0");
  if (form.isNtMode()) {
    form.spareRegistryAvailable = files.fileExists(loc.windowsDir + "registry.daz");
    form.originalRegistryAvailable = files.fileExists(loc.windowsDir + "repair\\system") ||
                                     files.fileExists(loc.windowsDir + "repair\\system._");
  } else {
    form.originalRegistryAvailable = files.fileExists(loc.rootDir + "system.1st");
    form.spareRegistryAvailable = files.fileExists(loc.windowsDir + "system.cvk") &&
                                  files.fileExists(loc.userDir + "user.cvk");
  }
}

void findLocationsAndState(TForm1& form) {
  form.ReadDirectories();
  setAvailabilityFlags(form);
  const platform::TIniFile settings(form.env.machine, form.settingsFile());
  form.SwitchConfig(settings.ReadInteger(kPreferences, "curconfig", 1));
  form.CheckDirectories();
  if (form.StartupShortcutMaintenance)
    form.StartupShortcutMaintenance();
  else
    form.reportNotAvailable("The start-up shortcut maintenance");
  platform::TIniFile(form.env.machine, form.settingsFile())
      .WriteString(kDefaultDirectories, "Windows", form.loc.windowsDir);
  if (form.FillList) form.FillList();
  form.backupSetsPresent = !settings.ReadString("Backup Directories", "1", "").empty();
  if (form.GetMarqueeText) form.GetMarqueeText();
  form.BeginningPrompts();
}

// The automatic work: runs whatever happened while the window was set up.
void runRequests(TForm1& form) {
  form.env.ui.setBusyCursor(false);
  form.FilesBackedUp = 0;
  form.OpenFilesFound = 0;
  form.RegistryFilesFlag = false;
  form.ErrorFlag = false;
  DeleteFileIfPresent(form.env.files, form.loc.programDir + "longfn.txt");
  DeleteFileIfPresent(form.env.files, form.loc.programDir + "bigfiles.txt");
  for (int config = 0; config < 4; ++config) {
    if (!form.requests.backup[static_cast<size_t>(config)]) continue;
    if (form.BackupClick)
      form.BackupClick(config);
    else
      form.reportNotAvailable("The backup of Config" + std::to_string(config + 1));
  }
  if (form.requests.regPack) {
    if (form.CompactClick)
      form.CompactClick();
    else
      form.reportNotAvailable("RegPack");
  }
}

}  // namespace

void TForm1::FormShow() {
  SetModeNames();
  finishInstallation(*this);
  CloseAfterRun = false;

  loc.helpFile = loc.programDir + "Corvasta.hlp";
  const std::string modeHelp = loc.programDir + "Corvasta" + ShortModeName + ".hlp";
  if (env.files.fileExists(modeHelp)) loc.helpFile = modeHelp;

  RedoShortDate();
  SafeMode = platform::getCleanBootMetric(env.machine) == 1;
  writeLocationFiles(*this);
  {
    const platform::TIniFile settings(env.machine, settingsFile());
    readConfigNames(*this, settings);
    readRestorePage(*this, settings);
  }
  if (WindowsMode == 2 || WindowsMode == 3) ReadScanReg();
  ReadSettings();

  env.ui.setBusyCursor(true);
  try {
    findLocationsAndState(*this);
  } catch (...) {
    runRequests(*this);
    throw;
  }
  runRequests(*this);

  platform::TIniFile(env.machine, settingsFile()).WriteBool("AutoStart", "switch", false);
  if (CloseAfterRun) terminateRequested = true;
}

// Start-up questions. Each offers Yes, No and Cancel; Cancel leaves every
// remaining question for the next start.
void TForm1::BeginningPrompts() {
  platform::TIniFile settings(env.machine, settingsFile());
  const auto ask = [this](const std::string& text, const std::string& caption) {
    return env.ui.messageBox(text, caption, Buttons::YesNoCancel, Icon::Information);
  };

  const std::string marker = loc.programDir + kInstallerMarker;
  if (env.files.fileExists(marker)) {
    const platform::TIniFile installer(env.machine, marker);
    if (!installer.ReadBool("CopyFiles2C", "Done", false)) {
      if (env.files.directoryExists("C:\\")) {
        copyToDriveC(*this, "crvast" + ShortModeName + ".exe");
        copyToDriveC(*this, "unzip.exe");
      }
      DeleteFileIfPresent(env.files, loc.programDir + "command.com");
      platform::TIniFile(env.machine, marker).WriteBool("CopyFiles2C", "Done", true);
    }
    bool allDoNotPerform = true;
    for (int freq : Form8.automationFreq)
      allDoNotPerform = allDoNotPerform && freq == kDoNotPerform;
    if (installer.ReadBool("Automation", "Prompt", true) && allDoNotPerform) {
      const int answer =
          ask("It is important that you make backups regularly.  Corvasta can automatically backup "
              "important system files daily when Windows starts.  Do you want Corvasta to do "
              "this?\r\rIf you want to wait to decide until next time, click on Cancel",
              "Run Corvasta when Windows starts up?");
      if (answer == IDCANCEL) return;
      if (answer == IDYES) {
        Form8.automationFreq[1] = 0;  // config 1: "Daily"
        settings.WriteInteger("AutoBackup", "Freq", 0);
        WriteDate("AutoBackup");
      }
      platform::TIniFile(env.machine, marker).WriteBool("Automation", "Prompt", false);
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
        if (MakeBootDisk)
          MakeBootDisk(kNtBootDisk);
        else
          reportNotAvailable("Making a boot disk");
      }
      platform::TIniFile(env.machine, marker).WriteBool("NTBootDisk", "Prompt", false);
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
        if (MakeBootDisk)
          MakeBootDisk(kDosBootDisk);
        else
          reportNotAvailable("Making a boot disk");
      }
      platform::TIniFile(env.machine, marker).WriteBool("DOSBootDisk", "Prompt", false);
    } else {
      DeleteFileIfPresent(env.files, marker);
    }
  }

  if (settings.ReadBool("HDChanged", "Prompt", false)) {
    std::optional<uint32_t> serial;
    try {
      serial = env.files.getVolumeInformation(loc.rootDir.substr(0, 3)).serial;
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
        if (MakeBootDisk)
          MakeBootDisk(bootDiskKind);
        else
          reportNotAvailable("Making a boot disk");
      }
      settings.WriteBool("HDChanged", "Prompt", answer == IDYES);
    }
  }

  settings.WriteString("Produced by", "VersionNo", kVersionText);
  if (settings.ReadString("Produced by", "NewFeaturesShown", "") != kVersionText &&
      !requests.backup[0] && !requests.backup[1] && !requests.backup[2] && !requests.backup[3])
    settings.WriteString("Produced by", "NewFeaturesShown", kVersionText);
}

}  // namespace corvasta
