#include "platform/sample/windows_binaries.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sample/generated_files.h"
#include "platform/version/pe_image_write.h"

namespace platform::sample {
namespace {

// The Windows versions that ship a binary: one bit for each WindowsVersion.
using VersionSet = uint8_t;

constexpr VersionSet versionBit(WindowsVersion version) {
  return static_cast<VersionSet>(1u << static_cast<unsigned>(version));
}

constexpr VersionSet k95And98 =
    versionBit(WindowsVersion::Win95) | versionBit(WindowsVersion::Win98);
constexpr VersionSet kMe = versionBit(WindowsVersion::WinMe);
constexpr VersionSet k98AndMe = versionBit(WindowsVersion::Win98) | kMe;
constexpr VersionSet kEvery9x = k95And98 | kMe;
constexpr VersionSet kNt4 = versionBit(WindowsVersion::Nt4);
constexpr VersionSet kXp = versionBit(WindowsVersion::WinXp);
constexpr VersionSet kNt5 = versionBit(WindowsVersion::Win2000) | kXp;
constexpr VersionSet kEveryNt = kNt4 | kNt5;

struct SystemBinary {
  const char* path;  // "SYSTEM\\kernel32.dll", or "\\Program Files\\..." from the root
  const char* role;
  size_t kilobytes;
  VersionSet versions;
};

constexpr SystemBinary kSystemBinaries[] = {
    {"WIN.COM", "Windows loader", 24, kEvery9x},
    {"EXPLORER.EXE", "Windows shell", 160, kEvery9x},
    {"NOTEPAD.EXE", "Notepad", 52, kEvery9x},
    {"CONTROL.EXE", "Control Panel", 4, kEvery9x},
    {"TASKMAN.EXE", "Task manager", 32, kEvery9x},
    {"RUNDLL32.EXE", "DLL runner", 8, kEvery9x},
    {"HIMEM.SYS", "XMS memory manager", 33, kEvery9x},
    {"EMM386.EXE", "EMS memory manager", 122, kEvery9x},
    {"SMARTDRV.EXE", "disk cache", 45, kEvery9x},
    {"SETVER.EXE", "version table", 9, kEvery9x},
    {"COMMAND.COM", "MS-DOS command interpreter", 92, kEvery9x},
    {"COMMAND\\ATTRIB.EXE", "MS-DOS attrib", 15, kEvery9x},
    {"COMMAND\\EXTRACT.EXE", "cabinet extractor", 46, kEvery9x},
    {"COMMAND\\FORMAT.COM", "MS-DOS format", 49, kEvery9x},
    {"COMMAND\\SYS.COM", "MS-DOS sys", 18, kEvery9x},
    {"COMMAND\\SCANDISK.EXE", "disk checker", 250, kEvery9x},
    {"COMMAND\\EDIT.COM", "MS-DOS editor", 69, kEvery9x},
    {"COMMAND\\XCOPY.EXE", "MS-DOS xcopy", 4, kEvery9x},
    {"COMMAND\\XCOPY32.EXE", "MS-DOS xcopy", 41, kEvery9x},
    {"COMMAND\\DELTREE.EXE", "MS-DOS deltree", 19, kEvery9x},
    {"COMMAND\\MEM.EXE", "MS-DOS mem", 32, kEvery9x},
    {"COMMAND\\FDISK.EXE", "disk partitioner", 63, kEvery9x},
    {"COMMAND\\MSCDEX.EXE", "CD-ROM extensions", 25, kEvery9x},
    {"COMMAND\\MOUSE.COM", "MS-DOS mouse driver", 56, kEvery9x},
    {"COMMAND\\EGA.CPI", "code page information", 58, kEvery9x},
    {"COMMAND\\KEYBOARD.SYS", "keyboard layouts", 34, kEvery9x},
    {"COMMAND\\DISPLAY.SYS", "display code pages", 17, kEvery9x},
    {"COMMAND\\COUNTRY.SYS", "country settings", 27, kEvery9x},
    {"SYSTEM\\KERNEL32.DLL", "Windows kernel", 200, kEvery9x},
    {"SYSTEM\\USER32.DLL", "Windows user interface", 48, kEvery9x},
    {"SYSTEM\\GDI32.DLL", "Windows graphics", 64, kEvery9x},
    {"SYSTEM\\ADVAPI32.DLL", "registry and security functions", 64, kEvery9x},
    {"SYSTEM\\SHELL32.DLL", "shell functions", 180, kEvery9x},
    {"SYSTEM\\COMCTL32.DLL", "common controls", 96, kEvery9x},
    {"SYSTEM\\KRNL386.EXE", "16-bit kernel", 64, kEvery9x},
    {"SYSTEM\\USER.EXE", "16-bit user interface", 48, kEvery9x},
    {"SYSTEM\\GDI.EXE", "16-bit graphics", 48, kEvery9x},
    {"SYSTEM\\MSGSRV32.EXE", "message server", 12, kEvery9x},
    {"SYSTEM\\VMM32.VXD", "virtual machine manager", 220, kEvery9x},
    {"SYSTEM\\MAIN.CPL", "mouse, keyboard and printers", 44, kEvery9x},
    {"SYSTEM\\DESK.CPL", "display properties", 52, kEvery9x},
    {"SYSTEM\\APPWIZ.CPL", "add and remove programs", 56, kEvery9x},
    {"SYSTEM\\TIMEDATE.CPL", "date and time", 28, kEvery9x},
    {"SYSTEM\\SYSDM.CPL", "system properties", 40, kEvery9x},
    {"SYSTEM\\MMSYS.CPL", "multimedia", 60, kEvery9x},
    {"SYSTEM\\INTL.CPL", "regional settings", 32, kEvery9x},
    {"SYSTEM\\PASSWORD.CPL", "passwords", 20, kEvery9x},
    {"SYSTEM\\IOSUBSYS\\ESDI_506.PDR", "IDE port driver", 24, kEvery9x},
    {"SYSTEM\\VMM32\\IOS.VXD", "I/O supervisor", 48, kEvery9x},
    {"FONTS\\ARIAL.TTF", "TrueType font", 64, kEvery9x},
    {"FONTS\\TIMES.TTF", "TrueType font", 64, kEvery9x},
    {"FONTS\\COUR.TTF", "TrueType font", 48, kEvery9x},
    {"FONTS\\VGASYS.FON", "system font", 8, kEvery9x},
    {"MEDIA\\TADA.WAV", "sound", 28, kEvery9x},
    {"MEDIA\\CHORD.WAV", "sound", 24, kEvery9x},
    {"MEDIA\\DING.WAV", "sound", 12, kEvery9x},
    {"HELP\\NOTEPAD.HLP", "help file", 8, kEvery9x},
    {"\\Program Files\\Accessories\\WORDPAD.EXE", "WordPad", 200, kEvery9x},
    {"\\Program Files\\Internet Explorer\\IEXPLORE.EXE", "web browser", 60, kEvery9x},
    {"\\Program Files\\Outlook Express\\MSIMN.EXE", "mail client", 60, kEvery9x},
    // Tools that came with Windows 98 and ME only.
    {"SCANREGW.EXE", "Registry Checker", 88, k98AndMe},
    {"COMMAND\\SCANREG.EXE", "Registry Checker for MS-DOS", 140, k98AndMe},
    {"SYSTEM\\CABINET.DLL", "cabinet library", 40, k98AndMe},
    {"COMMAND\\EBD\\IO.SYS", "emergency boot disk MS-DOS kernel", 114, kMe},
    {"COMMAND\\EBD\\COMMAND.COM", "emergency boot disk command interpreter", 91, kMe},
    {"SYSTEM\\RESTORE\\RSTRUI.EXE", "System Restore", 48, kMe},
    // Windows ME starts without a real-mode CD-ROM driver.
    {"\\CDROM\\OAKCDROM.SYS", "real-mode CD-ROM driver", 41, k95And98},
    {"regedit.exe", "Registry Editor", 80, kEveryNt},
    {"notepad.exe", "Notepad", 68, kEveryNt},
    {"explorer.exe", "Windows shell", 240, kEveryNt},
    {"system32\\cmd.exe", "command interpreter", 230, kEveryNt},
    {"system32\\command.com", "MS-DOS command interpreter", 50, kEveryNt},
    {"system32\\regedt32.exe", "Registry Editor", 88, kEveryNt},
    {"system32\\expand.exe", "file expansion utility", 16, kEveryNt},
    {"system32\\format.com", "disk format utility", 36, kEveryNt},
    {"system32\\attrib.exe", "attribute utility", 12, kEveryNt},
    {"system32\\xcopy.exe", "file copy utility", 32, kEveryNt},
    {"system32\\edit.com", "MS-DOS editor", 69, kEveryNt},
    {"system32\\himem.sys", "XMS memory manager", 5, kEveryNt},
    {"system32\\mscdexnt.exe", "CD-ROM extensions for MS-DOS", 1, kEveryNt},
    {"system32\\redir.exe", "network redirector for MS-DOS", 3, kEveryNt},
    {"system32\\dosx.exe", "DPMI support", 32, kEveryNt},
    {"system32\\ntoskrnl.exe", "NT kernel", 300, kEveryNt},
    {"system32\\hal.dll", "hardware abstraction layer", 64, kEveryNt},
    {"system32\\ntdll.dll", "NT layer", 200, kEveryNt},
    {"system32\\kernel32.dll", "Windows kernel", 200, kEveryNt},
    {"system32\\user32.dll", "Windows user interface", 160, kEveryNt},
    {"system32\\gdi32.dll", "Windows graphics", 120, kEveryNt},
    {"system32\\advapi32.dll", "registry and security functions", 160, kEveryNt},
    {"system32\\shell32.dll", "shell functions", 240, kEveryNt},
    {"system32\\comctl32.dll", "common controls", 96, kEveryNt},
    {"system32\\cabinet.dll", "cabinet library", 40, kEveryNt},
    {"system32\\smss.exe", "session manager", 24, kEveryNt},
    {"system32\\csrss.exe", "client/server runtime", 4, kEveryNt},
    {"system32\\winlogon.exe", "logon process", 180, kEveryNt},
    {"system32\\services.exe", "service control manager", 52, kEveryNt},
    {"system32\\lsass.exe", "local security authority", 12, kEveryNt},
    {"system32\\control.exe", "Control Panel", 8, kEveryNt},
    {"system32\\main.cpl", "mouse and keyboard", 60, kEveryNt},
    {"system32\\desk.cpl", "display properties", 60, kEveryNt},
    {"system32\\appwiz.cpl", "add and remove programs", 120, kEveryNt},
    {"system32\\timedate.cpl", "date and time", 40, kEveryNt},
    {"system32\\sysdm.cpl", "system properties", 100, kEveryNt},
    {"system32\\mmsys.cpl", "multimedia", 80, kEveryNt},
    {"system32\\intl.cpl", "regional settings", 60, kEveryNt},
    {"system32\\drivers\\atapi.sys", "IDE driver", 48, kEveryNt},
    {"system32\\drivers\\ntfs.sys", "NTFS driver", 240, kEveryNt},
    {"system32\\drivers\\tcpip.sys", "TCP/IP driver", 120, kEveryNt},
    {"Fonts\\arial.ttf", "TrueType font", 64, kEveryNt},
    {"Fonts\\times.ttf", "TrueType font", 64, kEveryNt},
    {"Fonts\\cour.ttf", "TrueType font", 48, kEveryNt},
    {"Media\\tada.wav", "sound", 28, kEveryNt},
    {"Media\\chord.wav", "sound", 24, kEveryNt},
    {"Media\\ding.wav", "sound", 12, kEveryNt},
    {"Help\\notepad.hlp", "help file", 8, kEveryNt},
    {"\\Program Files\\Internet Explorer\\iexplore.exe", "web browser", 90, kEveryNt},
    {"\\Program Files\\Windows NT\\Accessories\\wordpad.exe", "WordPad", 200, kEveryNt},
    {"system32\\rdisk.exe", "repair disk utility", 24, kNt4},
    // Windows 2000 and XP.
    {"system32\\ncpa.cpl", "network connections", 12, kNt5},
    {"system32\\wbem\\winmgmt.exe", "management instrumentation", 32, kNt5},
    {"\\Program Files\\Outlook Express\\msimn.exe", "mail client", 60, kNt5},
    {"system32\\Restore\\rstrui.exe", "System Restore", 48, kXp},
};

constexpr const char* kRegistryEditor = "REGEDIT.EXE";

}  // namespace

std::optional<version::FileVersion> registryEditorVersion(WindowsVersion windows) {
  switch (windows) {
    case WindowsVersion::Win95:
      return version::FileVersion{4, 0, 0, 1111};
    case WindowsVersion::Win98:
      return version::FileVersion{4, 10, 0, 1998};
    case WindowsVersion::WinMe:
      return version::FileVersion{4, 90, 0, 3000};
    default:
      return std::nullopt;
  }
}

std::string registryEditorImage(version::FileVersion fileVersion, uint32_t timeDateStamp) {
  version::VersionedProgram program;
  program.fileName = kRegistryEditor;
  program.description = "Registry Editor";
  program.version = fileVersion;
  program.stubMessage = std::string(kPlaceholderMarker) + ": REGEDIT.EXE, Registry Editor";
  program.timeDateStamp = timeDateStamp;
  return version::versionedProgram(program);
}

void addWindowsBinaries(SampleTree& drive, const SampleLayout& layout) {
  for (const auto& binary : kSystemBinaries) {
    if (!(binary.versions & versionBit(layout.version))) continue;
    std::string path = binary.path;
    path = path[0] == '\\' ? path.substr(1) : layout.windowsFolder + "\\" + path;
    addSystemBinary(drive, layout, path, binary.role, binary.kilobytes * 1024);
  }
  // The RegPack reads the Registry Editor's build from its version resource.
  if (auto editorVersion = registryEditorVersion(layout.version))
    drive.file(layout.windowsFolder + "\\" + kRegistryEditor,
               registryEditorImage(*editorVersion, static_cast<uint32_t>(layout.releaseTime)),
               layout.releaseTime);
}

}  // namespace platform::sample
