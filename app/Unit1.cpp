// TForm1: construction, main window creation, the closing rules and the
// handlers that forward to the subsystems.

#include "app/Unit1.h"

#include "app/core/DeleteFile.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "prefs/ConfigReport.h"

namespace corvasta {

TForm1::TForm1(Environment environment, int windowsMode)
    : core(environment, windowsMode),
      backup(core),
      restore(core, backup),
      regpack(core, backup, restore) {
  // The status line shows the last backup: it is rebuilt after each config.
  backup.run.OnConfigClosed = [this] {
    if (GetMarqueeText) GetMarqueeText();
  };
  // A new Root directory may hold the original registry (system.1st).
  preferences.RootDirectoryChanged = [this] { restore.sources.FindAvailableSources(); };
}

void TForm1::FormCreate() {
  timer2Enabled = false;
  const std::string logo = core.loc.programDir + "logome.bmp";
  if (core.env.files.fileExists(logo)) logoPicture = logo;
}

bool TForm1::FormCloseQuery() {
  if (core.RegistryBusy) {
    core.env.ui.messageBox(kRegistryBusyMessage, core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  WriteSettings();
  platform::TIniFile(core.env.machine, core.settingsFile()).WriteBool("AutoStart", "switch", false);
  return true;
}

void TForm1::FormClose() {
  // The CD-writing component is released with the main window; nothing of the
  // program's state outlives it. The configuration report names the password,
  // which is never kept on disk: it goes with the program.
  DeleteFileIfPresent(core.env.files, configReportPath(core));
  showMainWindow = false;
  terminateRequested = true;
}

void TForm1::EndSession() {
  if (FormCloseQuery()) FormClose();
}

void TForm1::ReadSettings() {
  core.ReadSettings();
  FillList();
}

void TForm1::BitBtn1Click() {
  backup.run.BackupCheckedConfigs();
  if (core.CloseAfterRun && FormCloseQuery()) FormClose();
}

}  // namespace corvasta
