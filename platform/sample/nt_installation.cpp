#include "platform/sample/nt_installation.h"

#include <cstdio>

#include "platform/sample/generated_files.h"
#include "platform/sample/nt_config_files.h"
#include "platform/sample/user_profile.h"
#include "platform/sample/windows_binaries.h"

namespace platform::sample {
namespace {

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
  addWindowsBinaries(drive, layout);
  if (layout.version != WindowsVersion::Nt4)
    drive.folder(windows + "system32\\dllcache", kHidden | kSystem);
  if (layout.version == WindowsVersion::WinXp) drive.folder(windows + "Prefetch");

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
