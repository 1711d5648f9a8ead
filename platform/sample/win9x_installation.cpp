#include "platform/sample/win9x_installation.h"

#include "platform/sample/generated_files.h"
#include "platform/sample/user_profile.h"
#include "platform/sample/win9x_config_files.h"

namespace platform::sample {
namespace {

constexpr SystemBinary kWin9xBinaries[] = {
    {"WIN.COM", "Windows loader", 24},
    {"EXPLORER.EXE", "Windows shell", 160},
    {"REGEDIT.EXE", "Registry Editor", 120},
    {"NOTEPAD.EXE", "Notepad", 52},
    {"CONTROL.EXE", "Control Panel", 4},
    {"TASKMAN.EXE", "Task manager", 32},
    {"RUNDLL32.EXE", "DLL runner", 8},
    {"HIMEM.SYS", "XMS memory manager", 33},
    {"EMM386.EXE", "EMS memory manager", 122},
    {"SMARTDRV.EXE", "disk cache", 45},
    {"SETVER.EXE", "version table", 9},
    {"COMMAND.COM", "MS-DOS command interpreter", 92},
    {"COMMAND\\ATTRIB.EXE", "MS-DOS attrib", 15},
    {"COMMAND\\EXTRACT.EXE", "cabinet extractor", 46},
    {"COMMAND\\FORMAT.COM", "MS-DOS format", 49},
    {"COMMAND\\SYS.COM", "MS-DOS sys", 18},
    {"COMMAND\\SCANDISK.EXE", "disk checker", 250},
    {"COMMAND\\EDIT.COM", "MS-DOS editor", 69},
    {"COMMAND\\XCOPY.EXE", "MS-DOS xcopy", 4},
    {"COMMAND\\XCOPY32.EXE", "MS-DOS xcopy", 41},
    {"COMMAND\\DELTREE.EXE", "MS-DOS deltree", 19},
    {"COMMAND\\MEM.EXE", "MS-DOS mem", 32},
    {"COMMAND\\FDISK.EXE", "disk partitioner", 63},
    {"COMMAND\\MSCDEX.EXE", "CD-ROM extensions", 25},
    {"COMMAND\\MOUSE.COM", "MS-DOS mouse driver", 56},
    {"COMMAND\\EGA.CPI", "code page information", 58},
    {"COMMAND\\KEYBOARD.SYS", "keyboard layouts", 34},
    {"COMMAND\\DISPLAY.SYS", "display code pages", 17},
    {"COMMAND\\COUNTRY.SYS", "country settings", 27},
    {"SYSTEM\\KERNEL32.DLL", "Windows kernel", 200},
    {"SYSTEM\\USER32.DLL", "Windows user interface", 48},
    {"SYSTEM\\GDI32.DLL", "Windows graphics", 64},
    {"SYSTEM\\ADVAPI32.DLL", "registry and security functions", 64},
    {"SYSTEM\\SHELL32.DLL", "shell functions", 180},
    {"SYSTEM\\COMCTL32.DLL", "common controls", 96},
    {"SYSTEM\\KRNL386.EXE", "16-bit kernel", 64},
    {"SYSTEM\\USER.EXE", "16-bit user interface", 48},
    {"SYSTEM\\GDI.EXE", "16-bit graphics", 48},
    {"SYSTEM\\MSGSRV32.EXE", "message server", 12},
    {"SYSTEM\\VMM32.VXD", "virtual machine manager", 220},
    {"SYSTEM\\MAIN.CPL", "mouse, keyboard and printers", 44},
    {"SYSTEM\\DESK.CPL", "display properties", 52},
    {"SYSTEM\\APPWIZ.CPL", "add and remove programs", 56},
    {"SYSTEM\\TIMEDATE.CPL", "date and time", 28},
    {"SYSTEM\\SYSDM.CPL", "system properties", 40},
    {"SYSTEM\\MMSYS.CPL", "multimedia", 60},
    {"SYSTEM\\INTL.CPL", "regional settings", 32},
    {"SYSTEM\\PASSWORD.CPL", "passwords", 20},
    {"SYSTEM\\IOSUBSYS\\ESDI_506.PDR", "IDE port driver", 24},
    {"SYSTEM\\VMM32\\IOS.VXD", "I/O supervisor", 48},
    {"FONTS\\ARIAL.TTF", "TrueType font", 64},
    {"FONTS\\TIMES.TTF", "TrueType font", 64},
    {"FONTS\\COUR.TTF", "TrueType font", 48},
    {"FONTS\\VGASYS.FON", "system font", 8},
    {"MEDIA\\TADA.WAV", "sound", 28},
    {"MEDIA\\CHORD.WAV", "sound", 24},
    {"MEDIA\\DING.WAV", "sound", 12},
    {"HELP\\NOTEPAD.HLP", "help file", 8},
    {"\\Program Files\\Accessories\\WORDPAD.EXE", "WordPad", 200},
    {"\\Program Files\\Internet Explorer\\IEXPLORE.EXE", "web browser", 60},
    {"\\Program Files\\Outlook Express\\MSIMN.EXE", "mail client", 60},
};

// Tools that came with Windows 98 and ME only.
constexpr SystemBinary kWin98Binaries[] = {
    {"SCANREGW.EXE", "Registry Checker", 88},
    {"COMMAND\\SCANREG.EXE", "Registry Checker for MS-DOS", 140},
    {"SYSTEM\\CABINET.DLL", "cabinet library", 40},
};

constexpr SystemBinary kWinMeBinaries[] = {
    {"COMMAND\\EBD\\IO.SYS", "emergency boot disk MS-DOS kernel", 114},
    {"COMMAND\\EBD\\COMMAND.COM", "emergency boot disk command interpreter", 91},
    {"SYSTEM\\RESTORE\\RSTRUI.EXE", "System Restore", 48},
};

constexpr SystemBinary kWin9xCdromDriver[] = {
    {"\\CDROM\\OAKCDROM.SYS", "real-mode CD-ROM driver", 41},
};

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
  } else {
    addSystemBinaries(drive, layout, kWin9xCdromDriver);
  }
}

void addWindowsFolder(SampleTree& drive, const SampleLayout& layout) {
  const std::string windows = layout.windowsFolder + "\\";
  bool has98Tools = layout.version != WindowsVersion::Win95;
  addSystemBinaries(drive, layout, kWin9xBinaries);
  if (has98Tools) addSystemBinaries(drive, layout, kWin98Binaries);
  if (layout.version == WindowsVersion::WinMe) addSystemBinaries(drive, layout, kWinMeBinaries);

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
