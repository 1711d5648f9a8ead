#include "platform/sample/nt_config_files.h"

namespace platform::sample {

std::string ntBootIni(const SampleLayout& layout) {
  std::string arc = "multi(0)disk(0)rdisk(0)partition(1)\\" + layout.windowsFolder;
  std::string text = "[boot loader]\ntimeout=30\ndefault=" + arc + "\n[operating systems]\n";
  if (layout.version == WindowsVersion::Nt4) {
    text += arc + "=\"" + layout.productName + "\"\n";
    text += arc + "=\"" + layout.productName + " [VGA mode]\" /basevideo /sos\n";
  } else {
    text += arc + "=\"" + layout.productName + "\" /fastdetect\n";
  }
  // The previous MS-DOS based system, started from bootsect.dos.
  text += "C:\\=\"Microsoft Windows\"\n";
  return text;
}

std::string ntAutoexecNt() {
  return "@echo off\n"
         "\n"
         "REM AUTOEXEC.BAT is not used to initialize the MS-DOS environment.\n"
         "REM AUTOEXEC.NT is used to initialize the MS-DOS environment unless a\n"
         "REM different startup file is specified in an application's PIF.\n"
         "\n"
         "REM Install CD ROM extensions\n"
         "lh %SystemRoot%\\system32\\mscdexnt.exe\n"
         "\n"
         "REM Install network redirector (load before dosx.exe)\n"
         "lh %SystemRoot%\\system32\\redir\n"
         "\n"
         "REM Install DPMI support\n"
         "lh %SystemRoot%\\system32\\dosx\n";
}

std::string ntConfigNt() {
  return "REM Windows MS-DOS Startup File\n"
         "REM\n"
         "REM CONFIG.SYS is not used to initialize the MS-DOS environment.\n"
         "REM CONFIG.NT is used to initialize the MS-DOS environment unless a\n"
         "REM different startup file is specified in an application's PIF.\n"
         "REM\n"
         "REM ECHOCONFIG\n"
         "REM By default, no information is displayed when the MS-DOS environment\n"
         "REM is initialized. To display CONFIG.NT/AUTOEXEC.NT information, add\n"
         "REM the command echoconfig to CONFIG.NT or other startup file.\n"
         "\n"
         "dos=high, umb\n"
         "device=%SystemRoot%\\system32\\himem.sys\n"
         "files=40\n";
}

std::string ntWinIni() {
  return "; for 16-bit app support\n"
         "[fonts]\n"
         "[extensions]\n"
         "[mci extensions]\n"
         "[files]\n"
         "[Mail]\n"
         "MAPI=1\n"
         "[MCI Extensions.BAK]\n"
         "aif=MPEGVideo\n"
         "mid=MPEGVideo\n"
         "mp3=MPEGVideo\n"
         "wav=MPEGVideo\n";
}

std::string ntSystemIni() {
  return "; for 16-bit app support\n"
         "[386Enh]\n"
         "woafont=dosapp.fon\n"
         "EGA80WOA.FON=EGA80WOA.FON\n"
         "EGA40WOA.FON=EGA40WOA.FON\n"
         "CGA80WOA.FON=CGA80WOA.FON\n"
         "CGA40WOA.FON=CGA40WOA.FON\n"
         "\n"
         "[drivers]\n"
         "wave=mmdrv.dll\n"
         "timer=timer.drv\n"
         "\n"
         "[mci]\n";
}

std::string ntSetupLog(const SampleLayout& layout) {
  std::string signature = layout.version == WindowsVersion::Nt4       ? "WinNt4.0"
                          : layout.version == WindowsVersion::Win2000 ? "WinNt5.0"
                                                                      : "WinNt5.1";
  std::string windows = "\\" + layout.windowsFolder;
  return "[Paths]\n"
         "TargetDirectory = \"" +
         windows +
         "\"\n"
         "TargetDevice = \"\\Device\\Harddisk0\\Partition1\"\n"
         "SystemPartitionDirectory = \"\\\"\n"
         "SystemPartition = \"\\Device\\Harddisk0\\Partition1\"\n"
         "[Signature]\n"
         "Version = \"" +
         signature +
         "\"\n"
         "[Files.SystemPartition]\n"
         "ntldr = \"ntldr\",\"3b0b0\"\n"
         "NTDETECT.COM = \"NTDETECT.COM\",\"b3ad\"\n"
         "[Files.WinNt]\n" +
         windows + "\\system32\\drivers\\atapi.sys = \"atapi.sys\",\"1b1e6\"\n" + windows +
         "\\system32\\drivers\\ntfs.sys = \"ntfs.sys\",\"8d87a\"\n" + windows +
         "\\system32\\ntoskrnl.exe = \"ntoskrnl.exe\",\"1f63e0\"\n" + windows +
         "\\system32\\hal.dll = \"hal.dll\",\"1fbd5\"\n" + windows +
         "\\system32\\cmd.exe = \"cmd.exe\",\"5b4d8\"\n" + windows +
         "\\system32\\regedt32.exe = \"regedt32.exe\",\"4c0c\"\n";
}

std::string ntHostsFile() {
  return "# This is a sample HOSTS file used by TCP/IP.\n"
         "#\n"
         "# Each entry is one line: the IP address, at least one space, the host name.\n"
         "\n"
         "127.0.0.1       localhost\n";
}

}  // namespace platform::sample
