#include "platform/sample/nt_installation.h"

#include <cstdio>

#include "platform/sample/generated_files.h"
#include "platform/sample/nt_config_files.h"
#include "platform/sample/user_profile.h"

namespace platform::sample {
namespace {

constexpr SystemBinary kNtBinaries[] = {
    {"regedit.exe", "Registry Editor", 80},
    {"notepad.exe", "Notepad", 68},
    {"explorer.exe", "Windows shell", 240},
    {"system32\\cmd.exe", "command interpreter", 230},
    {"system32\\command.com", "MS-DOS command interpreter", 50},
    {"system32\\regedt32.exe", "Registry Editor", 88},
    {"system32\\expand.exe", "file expansion utility", 16},
    {"system32\\format.com", "disk format utility", 36},
    {"system32\\attrib.exe", "attribute utility", 12},
    {"system32\\xcopy.exe", "file copy utility", 32},
    {"system32\\edit.com", "MS-DOS editor", 69},
    {"system32\\himem.sys", "XMS memory manager", 5},
    {"system32\\mscdexnt.exe", "CD-ROM extensions for MS-DOS", 1},
    {"system32\\redir.exe", "network redirector for MS-DOS", 3},
    {"system32\\dosx.exe", "DPMI support", 32},
    {"system32\\ntoskrnl.exe", "NT kernel", 300},
    {"system32\\hal.dll", "hardware abstraction layer", 64},
    {"system32\\ntdll.dll", "NT layer", 200},
    {"system32\\kernel32.dll", "Windows kernel", 200},
    {"system32\\user32.dll", "Windows user interface", 160},
    {"system32\\gdi32.dll", "Windows graphics", 120},
    {"system32\\advapi32.dll", "registry and security functions", 160},
    {"system32\\shell32.dll", "shell functions", 240},
    {"system32\\comctl32.dll", "common controls", 96},
    {"system32\\cabinet.dll", "cabinet library", 40},
    {"system32\\smss.exe", "session manager", 24},
    {"system32\\csrss.exe", "client/server runtime", 4},
    {"system32\\winlogon.exe", "logon process", 180},
    {"system32\\services.exe", "service control manager", 52},
    {"system32\\lsass.exe", "local security authority", 12},
    {"system32\\control.exe", "Control Panel", 8},
    {"system32\\main.cpl", "mouse and keyboard", 60},
    {"system32\\desk.cpl", "display properties", 60},
    {"system32\\appwiz.cpl", "add and remove programs", 120},
    {"system32\\timedate.cpl", "date and time", 40},
    {"system32\\sysdm.cpl", "system properties", 100},
    {"system32\\mmsys.cpl", "multimedia", 80},
    {"system32\\intl.cpl", "regional settings", 60},
    {"system32\\drivers\\atapi.sys", "IDE driver", 48},
    {"system32\\drivers\\ntfs.sys", "NTFS driver", 240},
    {"system32\\drivers\\tcpip.sys", "TCP/IP driver", 120},
    {"Fonts\\arial.ttf", "TrueType font", 64},
    {"Fonts\\times.ttf", "TrueType font", 64},
    {"Fonts\\cour.ttf", "TrueType font", 48},
    {"Media\\tada.wav", "sound", 28},
    {"Media\\chord.wav", "sound", 24},
    {"Media\\ding.wav", "sound", 12},
    {"Help\\notepad.hlp", "help file", 8},
    {"\\Program Files\\Internet Explorer\\iexplore.exe", "web browser", 90},
    {"\\Program Files\\Windows NT\\Accessories\\wordpad.exe", "WordPad", 200},
};

constexpr SystemBinary kNt4Binaries[] = {
    {"system32\\rdisk.exe", "repair disk utility", 24},
};

// Windows 2000 and XP.
constexpr SystemBinary kNt5Binaries[] = {
    {"system32\\ncpa.cpl", "network connections", 12},
    {"system32\\wbem\\winmgmt.exe", "management instrumentation", 32},
    {"\\Program Files\\Outlook Express\\msimn.exe", "mail client", 60},
};

constexpr SystemBinary kXpBinaries[] = {
    {"system32\\Restore\\rstrui.exe", "System Restore", 48},
};

void addRootFiles(SampleTree& drive, const SampleLayout& layout) {
  const uint8_t loaderFile = kHidden | kSystem | kReadOnly;
  bool nt4 = layout.version == WindowsVersion::Nt4;
  addSystemBinary(drive, layout, "ntldr", "NT loader", nt4 ? 156496 : 250032, loaderFile);
  addSystemBinary(drive, layout, "NTDETECT.COM", "NT hardware detection", 47564, loaderFile);
  addText(drive, "boot.ini", ntBootIni(layout), layout.installTime, kHidden | kSystem);
  if (!nt4) addSystemBinary(drive, layout, "bootfont.bin", "boot font", 4668, loaderFile);
  addSystemBinary(drive, layout, "ntbootdd.sys", "SCSI boot driver", 30352, loaderFile);
  // The boot sector of the MS-DOS based system that was there before.
  std::string bootSector(512, '\0');
  std::string code = "\xEB\x3C\x90MSWIN4.1";
  bootSector.replace(0, code.size(), code);
  bootSector[510] = '\x55';
  bootSector[511] = '\xAA';
  drive.file("BOOTSECT.DOS", bootSector, layout.installTime, kHidden | kSystem);
  drive.file("AUTOEXEC.BAT", "", layout.installTime);
  drive.file("CONFIG.SYS", "", layout.installTime);
  drive.folder("RECYCLER", kHidden | kSystem);
  if (nt4) drive.folder("TEMP");  // NT 4 keeps TEMP and TMP in the root
  if (!nt4) {
    drive.folder("System Volume Information", kHidden | kSystem);
    addData(drive, layout, "System Volume Information\\tracking.log", 20 * 1024, layout.useTime,
            kHidden | kSystem);
  }
  if (layout.version == WindowsVersion::WinXp) {
    std::string restore = "System Volume Information\\" + systemRestoreFolderName(layout);
    drive.folder(restore + "\\RP1\\snapshot");
    addData(drive, layout, restore + "\\RP1\\rp.log", 528, layout.installTime);
    addData(drive, layout, restore + "\\RP1\\change.log", 8 * 1024, layout.useTime);
    addData(drive, layout, restore + "\\_filelst.cfg", 12 * 1024, layout.installTime);
  }
}

void addWindowsFolder(SampleTree& drive, const SampleLayout& layout) {
  const std::string windows = layout.windowsFolder + "\\";
  addSystemBinaries(drive, layout, kNtBinaries);
  if (layout.version == WindowsVersion::Nt4) {
    addSystemBinaries(drive, layout, kNt4Binaries);
  } else {
    addSystemBinaries(drive, layout, kNt5Binaries);
    drive.folder(windows + "system32\\dllcache", kHidden | kSystem);
  }
  if (layout.version == WindowsVersion::WinXp) {
    addSystemBinaries(drive, layout, kXpBinaries);
    drive.folder(windows + "Prefetch");
  }

  SampleTime configured = layout.useTime - 86400;
  addText(drive, windows + "win.ini", ntWinIni(), configured);
  addText(drive, windows + "system.ini", ntSystemIni(), layout.installTime);
  addText(drive, windows + "system32\\autoexec.nt", ntAutoexecNt(), layout.installTime);
  addText(drive, windows + "system32\\config.nt", ntConfigNt(), layout.installTime);
  addText(drive, windows + "system32\\drivers\\etc\\hosts", ntHostsFile(), layout.installTime);
  // The registry hives themselves are written separately; the folder is
  // part of every installation.
  drive.folder(windows + "system32\\config");
  addText(drive, windows + "repair\\setup.log", ntSetupLog(layout), layout.installTime,
          kHidden | kSystem | kReadOnly);
  addText(drive, windows + "repair\\autoexec.nt", ntAutoexecNt(), layout.installTime);
  addText(drive, windows + "repair\\config.nt", ntConfigNt(), layout.installTime);
  drive.folder(windows + "Temp");
  drive.folder(windows + "Tasks");
  drive.folder(windows + "inf", kHidden);
  drive.folder(windows + "system");
  drive.folder(windows + "Cursors");
  drive.folder(windows + "Web\\Wallpaper");
  drive.folder(windows + "Downloaded Program Files", kSystem);

  for (const auto& user : layout.users) addUserProfile(drive, layout, user, true);
  drive.folder("Documents and Settings\\Default User", kHidden);
  addEmptyShellFolders(drive, layout, "Documents and Settings\\Default User");
  addAllUsersProfile(drive, layout);
}

}  // namespace

std::string systemRestoreFolderName(const SampleLayout& layout) {
  uint64_t a = layout.seedFor("System Restore"), b = layout.seedFor("System Restore GUID");
  char guid[64];
  std::snprintf(guid, sizeof guid, "_restore{%08X-%04X-%04X-%04X-%012llX}",
                static_cast<unsigned>(a >> 32), static_cast<unsigned>((a >> 16) & 0xFFFF),
                static_cast<unsigned>(0x4000 | (a & 0x0FFF)),
                static_cast<unsigned>(0x8000 | ((b >> 48) & 0x3FFF)),
                static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
  return guid;
}

void addNtInstallation(SampleTree& drive, const SampleLayout& layout) {
  addRootFiles(drive, layout);
  addWindowsFolder(drive, layout);
}

}  // namespace platform::sample
