#include "platform/sample/sample_config.h"

#include "platform/core/codepage.h"

namespace platform::sample {
namespace {

struct FixedDisk {
  const char* label;
  const char* fileSystem;
  uint64_t capacity;
  uint32_t clusterSize;
};

FixedDisk fixedDiskOf(WindowsVersion version) {
  switch (version) {
    case WindowsVersion::Win95:
      return {"WIN95", "FAT", 2146467840ull, 32768};
    case WindowsVersion::Win98:
      return {"WIN98", "FAT32", 8455200768ull, 4096};
    case WindowsVersion::WinMe:
      return {"WINME", "FAT32", 20003880960ull, 16384};
    case WindowsVersion::Nt4:
      return {"NTSYSTEM", "NTFS", 4294967296ull, 4096};
    case WindowsVersion::Win2000:
      return {"WIN2000", "NTFS", 20003880960ull, 4096};
    case WindowsVersion::WinXp:
      return {"WINXP", "NTFS", 40020664320ull, 4096};
  }
  return {"WINDOWS", "FAT32", 20003880960ull, 4096};
}

uint32_t serialFor(const SampleLayout& layout, std::string_view drive) {
  return static_cast<uint32_t>(layout.seedFor(drive) >> 16);
}

using Environment = std::map<std::string, std::string, AnsiLessNoCase>;

Environment win9xEnvironment(const SampleLayout& layout) {
  std::string windows = "C:\\" + layout.windowsFolder;
  Environment env{
      {"COMSPEC", windows + "\\COMMAND.COM"},
      {"PATH", windows + ";" + windows + "\\COMMAND"},
      {"PROMPT", "$p$g"},
      {"TEMP", windows + "\\TEMP"},
      {"TMP", windows + "\\TEMP"},
      {"winbootdir", windows},
      {"windir", windows},
      {"CMDLINE", "WIN"},
  };
  if (layout.version != WindowsVersion::WinMe) env["BLASTER"] = "A220 I5 D1 H5 P330 T6";
  return env;
}

Environment ntEnvironment(const SampleLayout& layout) {
  std::string windows = "C:\\" + layout.windowsFolder;
  const std::string& user = layout.users.front();
  std::string profile = "C:\\" + layout.profileFolder(user);
  bool nt4 = layout.version == WindowsVersion::Nt4;
  std::string temp = nt4 ? "C:\\TEMP" : profile + "\\Local Settings\\Temp";
  Environment env{
      {"COMPUTERNAME", layout.computerName},
      {"ComSpec", windows + "\\system32\\cmd.exe"},
      {"HOMEDRIVE", "C:"},
      {"HOMEPATH", "\\" + layout.profileFolder(user)},
      {"LOGONSERVER", "\\\\" + layout.computerName},
      {"NUMBER_OF_PROCESSORS", "1"},
      {"OS", "Windows_NT"},
      {"Path", windows + "\\system32;" + windows + (nt4 ? "" : ";" + windows + "\\System32\\Wbem")},
      {"PATHEXT", nt4 ? ".COM;.EXE;.BAT;.CMD" : ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH"},
      {"PROCESSOR_ARCHITECTURE", "x86"},
      {"PROCESSOR_IDENTIFIER", "x86 Family 6 Model 8 Stepping 3, GenuineIntel"},
      {"PROCESSOR_LEVEL", "6"},
      {"PROCESSOR_REVISION", "0803"},
      {"SystemDrive", "C:"},
      {"SystemRoot", windows},
      {"TEMP", temp},
      {"TMP", temp},
      {"USERDOMAIN", layout.computerName},
      {"USERNAME", user},
      {"USERPROFILE", profile},
      {"windir", windows},
  };
  if (!nt4) {
    env["ALLUSERSPROFILE"] = "C:\\" + layout.allUsersFolder();
    env["APPDATA"] = profile + "\\Application Data";
    env["CommonProgramFiles"] = "C:\\Program Files\\Common Files";
    env["ProgramFiles"] = "C:\\Program Files";
  }
  if (layout.version != WindowsVersion::WinXp)
    env["Os2LibPath"] = windows + "\\system32\\os2\\dll;";
  if (layout.version == WindowsVersion::WinXp) env["SESSIONNAME"] = "Console";
  return env;
}

ProgramAction simulator(const std::string& name) {
  ProgramAction action;
  action.kind = ProgramAction::Kind::Simulator;
  action.argument = name;
  return action;
}

ProgramAction runsAndEnds() {
  return ProgramAction{};
}

std::map<std::string, ProgramAction, AnsiLessNoCase> programsOf(const SampleLayout& layout) {
  std::map<std::string, ProgramAction, AnsiLessNoCase> programs{
      {"regedit.exe", simulator("regedit")},
      {"command.com", simulator("command")},
      {"format.com", simulator("format")},
  };
  if (layout.nt) {
    programs["cmd.exe"] = simulator("cmd");
    programs["expand.exe"] = simulator("expand");
    programs["winnt32.exe"] = runsAndEnds();
    if (layout.version == WindowsVersion::Nt4)
      programs["rdisk.exe"] = runsAndEnds();
    else
      programs["makeboot.exe"] = runsAndEnds();
  } else {
    programs["extract.exe"] = simulator("extract");
    programs["sys.com"] = simulator("sys");
    if (layout.version != WindowsVersion::Win95) {
      programs["scanregw.exe"] = simulator("scanregw");
      programs["scanreg.exe"] = simulator("scanreg");
    }
  }
  return programs;
}

}  // namespace

std::filesystem::path sampleDriveFolder(const std::filesystem::path& machineDir, char letter) {
  return machineDir / "drives" / std::string(1, ansiLower(letter));
}

MachineConfig sampleMachineConfig(const SampleLayout& layout, const std::filesystem::path& dir,
                                  bool running) {
  MachineConfig config;
  config.version = layout.version;
  config.running = running;
  config.windowsDirectory = "C:\\" + layout.windowsFolder;
  config.systemDirectory = "C:\\" + layout.systemFolder;
  config.programDirectory = "C:\\" + layout.programFolder;
  config.userName = layout.users.front();
  config.computerName = layout.computerName;
  // Windows ME and 2000 brought the four-digit year into the default short
  // date; the older versions show two digits.
  bool fourDigitYear = layout.version == WindowsVersion::WinMe ||
                       layout.version == WindowsVersion::Win2000 ||
                       layout.version == WindowsVersion::WinXp;
  config.shortDate = fourDigitYear ? "M/d/yyyy" : "M/d/yy";
  config.longTime = "h:mm:ss tt";
  config.privileges = {"SeBackupPrivilege", "SeRestorePrivilege", "SeShutdownPrivilege"};

  DriveConfig diskette;
  diskette.letter = 'A';
  diskette.type = DriveType::Removable;
  diskette.folder = sampleDriveFolder(dir, 'A');
  diskette.serial = serialFor(layout, "A:");
  diskette.fileSystem = "FAT";
  diskette.capacity = kDisketteCapacity;
  diskette.clusterSize = 512;
  diskette.media = {"disk1", "disk2", "disk3"};
  diskette.inserted = "disk1";

  FixedDisk disk = fixedDiskOf(layout.version);
  DriveConfig fixed;
  fixed.letter = 'C';
  fixed.type = DriveType::Fixed;
  fixed.folder = sampleDriveFolder(dir, 'C');
  fixed.label = disk.label;
  fixed.serial = serialFor(layout, "C:");
  fixed.fileSystem = disk.fileSystem;
  fixed.capacity = disk.capacity;
  fixed.clusterSize = disk.clusterSize;

  DriveConfig cd;
  cd.letter = 'D';
  cd.type = DriveType::CdRom;
  cd.folder = sampleDriveFolder(dir, 'D');
  cd.label = layout.discLabel;
  cd.serial = serialFor(layout, "D:");
  cd.fileSystem = "CDFS";
  cd.capacity = 681984000;
  cd.clusterSize = 2048;
  cd.media = {"install"};
  cd.inserted = "install";

  config.drives = {diskette, fixed, cd};
  config.environment = layout.nt ? ntEnvironment(layout) : win9xEnvironment(layout);
  config.programs = programsOf(layout);
  return config;
}

}  // namespace platform::sample
