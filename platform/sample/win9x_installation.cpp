#include "platform/sample/win9x_installation.h"

#include "platform/sample/generated_files.h"
#include "platform/sample/user_profile.h"
#include "platform/sample/win9x_config_files.h"
#include "platform/sample/windows_binaries.h"

namespace platform::sample {
namespace {

void addRootFiles(SampleTree& drive, const SampleLayout& layout) {
  const uint8_t bootFile = kHidden | kSystem | kReadOnly;
  bool me = layout.version == WindowsVersion::WinMe;
  addSystemBinary(drive, layout, "IO.SYS", "MS-DOS kernel", me ? 116736 : 222390, bootFile);
  addText(drive, "MSDOS.SYS", win9xMsdosSys(layout), layout.installTime, bootFile);
  addSystemBinary(drive, layout, "COMMAND.COM", "MS-DOS command interpreter", me ? 93040 : 93890);
  addText(drive, "AUTOEXEC.BAT", win9xAutoexecBat(layout), layout.installTime);
  addText(drive, "CONFIG.SYS", win9xConfigSys(layout), layout.installTime);
  addText(drive, "SETUPLOG.TXT",
          "[Setup]\nInstallType=1\nCustomise=0\nProductType=1\nUninstall=0\n"
          "[OptionalComponents]\n\"Accessories\"=1\n\"Communications\"=1\n"
          "\"Disk Tools\"=1\n\"Multimedia\"=1\n\"Windows Scripting Host\"=1\n"
          "[Started]\nSetup started at " +
              layout.versionNumber + " install\n",
          layout.installTime, kHidden);
  addData(drive, layout, "DETLOG.TXT", 24 * 1024, layout.installTime, kHidden);
  addText(drive, "SCANDISK.LOG",
          "Microsoft ScanDisk\n\nScanDisk checked drive C for problems, with the following "
          "results:\n\n  ScanDisk did not find any problems on this drive.\n",
          layout.useTime);
  drive.folder("RECYCLED", kHidden | kSystem);
  addText(drive, "RECYCLED\\DESKTOP.INI",
          "[.ShellClassInfo]\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\n", layout.installTime,
          kHidden | kSystem);
  if (me) {
    drive.folder("_RESTORE", kHidden | kSystem);
    drive.folder("_RESTORE\\ARCHIVE");
    drive.folder("_RESTORE\\TEMP");
    addData(drive, layout, "_RESTORE\\SR1.DAT", 4096, layout.useTime, kHidden);
  }
}

void addWindowsFolder(SampleTree& drive, const SampleLayout& layout) {
  const std::string windows = layout.windowsFolder + "\\";
  bool has98Tools = layout.version != WindowsVersion::Win95;
  addWindowsBinaries(drive, layout);

  SampleTime configured = layout.useTime - 86400;
  addText(drive, windows + "WIN.INI", win9xWinIni(layout), configured);
  addText(drive, windows + "SYSTEM.INI", win9xSystemIni(layout), configured);
  addText(drive, windows + "SYSTEM.CB", win9xSystemCb(), layout.installTime);
  addText(drive, windows + "CONTROL.INI", win9xControlIni(), configured);
  addText(drive, windows + "DOSSTART.BAT", win9xDosstartBat(), layout.installTime);
  addData(drive, layout, windows + "TTFCACHE", 96 * 1024, configured);
  if (layout.version != WindowsVersion::WinMe)
    addText(drive, windows + "PROTOCOL.INI", win9xProtocolIni(layout), layout.installTime);
  if (has98Tools) addText(drive, windows + "SCANREG.INI", win9xScanregIni(), layout.installTime);
  for (const auto& user : layout.users)
    addData(drive, layout, windows + user + ".PWL", 688, layout.useTime);

  drive.folder(windows + "SYSBCKUP");
  drive.folder(windows + "TEMP");
  drive.folder(windows + "TASKS");
  drive.folder(windows + "INF", kHidden);
  drive.folder(windows + "SHELLNEW", kHidden);
  drive.folder(windows + "PIF");
  drive.folder(windows + "CURSORS");
  drive.folder(windows + "SPOOL\\PRINTERS");
  drive.folder(windows + "Downloaded Program Files", kSystem);
  drive.folder(windows + "Web\\Wallpaper");
  drive.folder(windows + "SYSTEM\\COLOR");

  // The Windows folder holds the shell folders of whoever logs on without a
  // profile; with profiles turned on each user gets a folder of their own.
  if (layout.profiles) {
    addEmptyShellFolders(drive, layout, layout.windowsFolder);
    for (size_t i = 0; i < layout.users.size(); ++i)
      addUserProfile(drive, layout, layout.users[i], true);
  } else {
    addUserProfile(drive, layout, layout.users.front(), true);
  }
  addAllUsersProfile(drive, layout);
}

}  // namespace

void addWin9xInstallation(SampleTree& drive, const SampleLayout& layout) {
  addRootFiles(drive, layout);
  addWindowsFolder(drive, layout);
}

}  // namespace platform::sample
