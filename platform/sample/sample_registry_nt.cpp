#include "platform/sample/sample_registry_nt.h"

#include "platform/registry/nt_hive_write.h"
#include "platform/sample/sample_registry_content.h"
#include "platform/sample/sample_registry_values.h"
#include "platform/sample/sample_shell_folders.h"

namespace platform::sample {
namespace {

using registry::RegistryKey;
using registry::RegistryTree;

const SampleValues kValues(registry::StringEncoding::Utf16le);

struct Service {
  const char* name;
  const char* displayName;
  const char* image;  // empty: a kernel driver without an image path
  const char* group;
  uint32_t type, start;
};

constexpr Service kServices[] = {
    {"Atapi", "Standard IDE/ESDI Hard Disk Controller", "System32\\DRIVERS\\atapi.sys",
     "SCSI miniport", 1, 0},
    {"Cdrom", "CD-ROM Driver", "System32\\DRIVERS\\cdrom.sys", "SCSI CDROM Class", 1, 1},
    {"Disk", "Disk Driver", "System32\\DRIVERS\\disk.sys", "SCSI Class", 1, 0},
    {"Fastfat", "Fastfat", "System32\\DRIVERS\\fastfat.sys", "Boot file system", 2, 3},
    {"Ntfs", "Ntfs", "", "Boot file system", 2, 3},
    {"Floppy", "Floppy Disk Driver", "System32\\DRIVERS\\flpydisk.sys", "Primary disk", 1, 1},
    {"i8042prt", "i8042 Keyboard and PS/2 Mouse Port Driver", "System32\\DRIVERS\\i8042prt.sys",
     "Keyboard Port", 1, 1},
    {"Kbdclass", "Keyboard Class Driver", "System32\\DRIVERS\\kbdclass.sys", "Keyboard Class", 1,
     1},
    {"Mouclass", "Mouse Class Driver", "System32\\DRIVERS\\mouclass.sys", "Pointer Class", 1, 1},
    {"Parport", "Parallel port driver", "System32\\DRIVERS\\parport.sys", "Parallel arbitrator", 1,
     3},
    {"Serial", "Serial port driver", "System32\\DRIVERS\\serial.sys", "Extended base", 1, 1},
    {"Tcpip", "TCP/IP Protocol Driver", "System32\\DRIVERS\\tcpip.sys", "PNP_TDI", 1, 1},
    {"NetBT", "NetBios over Tcpip", "System32\\DRIVERS\\netbt.sys", "PNP_TDI", 1, 1},
    {"Afd", "AFD Networking Support Environment", "\\SystemRoot\\System32\\drivers\\afd.sys", "TDI",
     1, 1},
    {"Beep", "Beep", "", "Base", 1, 1},
    {"Null", "Null", "", "Base", 1, 1},
    {"VgaSave", "VGA Display Controller.", "\\SystemRoot\\System32\\drivers\\vga.sys", "Video Save",
     1, 1},
    {"EventLog", "Event Log", "%SystemRoot%\\system32\\services.exe", "Event log", 0x20, 2},
    {"PlugPlay", "Plug and Play", "%SystemRoot%\\system32\\services.exe", "PlugPlay", 0x20, 2},
    {"LanmanServer", "Server", "%SystemRoot%\\System32\\svchost.exe -k netsvcs", "", 0x20, 2},
    {"LanmanWorkstation", "Workstation", "%SystemRoot%\\System32\\svchost.exe -k netsvcs",
     "NetworkProvider", 0x20, 2},
    {"Spooler", "Print Spooler", "%SystemRoot%\\system32\\spoolsv.exe", "SpoolerGroup", 0x110, 2},
    {"Schedule", "Task Scheduler", "%SystemRoot%\\System32\\svchost.exe -k netsvcs",
     "SchedulerGroup", 0x20, 2},
    {"Messenger", "Messenger", "%SystemRoot%\\System32\\svchost.exe -k netsvcs", "", 0x20, 3},
    {"Dhcp", "DHCP Client", "%SystemRoot%\\System32\\svchost.exe -k netsvcs", "TDI", 0x20, 2},
    {"Dnscache", "DNS Client", "%SystemRoot%\\System32\\svchost.exe -k NetworkService", "TDI", 0x20,
     2},
    {"RpcSs", "Remote Procedure Call (RPC)", "%SystemRoot%\\system32\\svchost -k rpcss",
     "COM Infrastructure", 0x20, 2},
    {"SamSs", "Security Accounts Manager", "%SystemRoot%\\system32\\lsass.exe", "SpoolerGroup",
     0x20, 2},
    {"W32Time", "Windows Time", "%SystemRoot%\\System32\\svchost.exe -k netsvcs", "", 0x20, 2},
    {"Browser", "Computer Browser", "%SystemRoot%\\System32\\svchost.exe -k netsvcs", "", 0x20, 2},
};

const char* ntVersionNumber(const SampleLayout& layout) {
  switch (layout.version) {
    case WindowsVersion::Nt4:
      return "4.0";
    case WindowsVersion::Win2000:
      return "5.0";
    default:
      return "5.1";
  }
}

const char* buildNumber(const SampleLayout& layout) {
  switch (layout.version) {
    case WindowsVersion::Nt4:
      return "1381";
    case WindowsVersion::Win2000:
      return "2195";
    default:
      return "2600";
  }
}

std::string machineSidPrefix(const SampleLayout& layout) {
  uint64_t a = layout.seedFor("machine SID"), b = layout.seedFor("machine SID tail");
  return "S-1-5-21-" + std::to_string(static_cast<uint32_t>(a >> 33) | 0x20000000u) + "-" +
         std::to_string(static_cast<uint32_t>(a) >> 1) + "-" +
         std::to_string(static_cast<uint32_t>(b >> 33));
}

uint32_t firstUserRid(const SampleLayout& layout) {
  return layout.version == WindowsVersion::WinXp ? 1003 : 1000;
}

// The binary form of a SID string, as ProfileList's Sid value holds it.
std::vector<uint8_t> sidBytes(const std::string& sid) {
  std::vector<uint32_t> parts;
  size_t pos = 4;  // after "S-1-"
  while (pos < sid.size()) {
    size_t end = sid.find('-', pos);
    parts.push_back(static_cast<uint32_t>(std::stoul(sid.substr(pos, end - pos))));
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  std::vector<uint8_t> bytes = {1, static_cast<uint8_t>(parts.size() - 1), 0, 0, 0, 0,
                                0, static_cast<uint8_t>(parts[0])};
  for (size_t i = 1; i < parts.size(); ++i)
    for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<uint8_t>(parts[i] >> (8 * b)));
  return bytes;
}

void addControl(RegistryKey& control, const SampleLayout& layout, SampleTime when) {
  kValues.string(control.ensurePath("ComputerName\\ComputerName"), "ComputerName",
                 layout.computerName);
  kValues.string(control, "SystemBootDevice", "multi(0)disk(0)rdisk(0)partition(1)");
  kValues.string(control, "SystemStartOptions", "FASTDETECT");
  kValues.string(control, "CurrentUser", "USERNAME");
  RegistryKey& session = control.ensurePath("Session Manager");
  kValues.multiString(session, "BootExecute", {"autocheck autochk *"});
  kValues.dword(session, "ProtectionMode", 1);
  RegistryKey& environment = session.ensurePath("Environment");
  kValues.expandString(environment, "ComSpec", "%SystemRoot%\\system32\\cmd.exe");
  kValues.expandString(environment, "Path",
                       "%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\System32\\Wbem");
  kValues.expandString(environment, "windir", "%SystemRoot%");
  kValues.string(environment, "OS", "Windows_NT");
  kValues.string(environment, "PROCESSOR_ARCHITECTURE", "x86");
  kValues.string(environment, "NUMBER_OF_PROCESSORS", "1");
  kValues.expandString(environment, "TEMP", "%SystemRoot%\\TEMP");
  kValues.expandString(environment, "TMP", "%SystemRoot%\\TEMP");
  RegistryKey& memory = session.ensurePath("Memory Management");
  kValues.multiString(memory, "PagingFiles", {"C:\\pagefile.sys 384 768"});
  kValues.dword(memory, "ClearPageFileAtShutdown", 0);
  kValues.dword(memory, "LargeSystemCache", 0);
  RegistryKey& known = session.ensurePath("KnownDLLs");
  for (const char* dll : {"advapi32", "comdlg32", "gdi32", "kernel32", "ole32", "rpcrt4", "shell32",
                          "user32", "version"})
    kValues.string(known, dll, std::string(dll) + ".dll");
  kValues.expandString(known, "DllDirectory", "%SystemRoot%\\system32");
  if (layout.version == WindowsVersion::WinXp) {
    // The compatibility cache: one of the values over 16 KB that XP hives
    // store as big data.
    kValues.binaryData(session.ensurePath("AppCompatibility"), "AppCompatCache", 24 * 1024 + 96,
                       layout.seedFor("AppCompatCache"));
  }
  kValues.string(control.ensurePath("ProductOptions"), "ProductType", "WinNT");
  RegistryKey& windows = control.ensurePath("Windows");
  kValues.dword(windows, "CSDVersion", 0);
  kValues.expandString(windows, "Directory", "%SystemRoot%");
  kValues.expandString(windows, "SystemDirectory", "%SystemRoot%\\system32");
  kValues.binary(windows, "ShutdownTime", [&] {
    uint64_t time = sampleFileTime(when);
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<uint8_t>(time >> (8 * i)));
    return bytes;
  }());
  RegistryKey& codepage = control.ensurePath("Nls\\CodePage");
  kValues.string(codepage, "ACP", "1252");
  kValues.string(codepage, "OEMCP", "850");
  RegistryKey& zone = control.ensurePath("TimeZoneInformation");
  kValues.dword(zone, "Bias", 0);
  kValues.string(zone, "StandardName", "GMT Standard Time");
  kValues.string(zone, "DaylightName", "GMT Daylight Time");
  kValues.binaryData(zone, "StandardStart", 16, layout.seedFor("StandardStart"));
  kValues.multiString(control.ensurePath("BackupRestore\\FilesNotToBackup"), "Temporary Files",
                      {"%TEMP%\\* /s", "%TMP%\\* /s"});
  kValues.dword(control.ensurePath("CrashControl"), "AutoReboot", 1);
  RegistryKey& lsa = control.ensurePath("Lsa");
  kValues.multiString(lsa, "Authentication Packages", {"msv1_0"});
  kValues.multiString(lsa, "Notification Packages", {"scecli"});
  kValues.dword(lsa, "LimitBlankPasswordUse", 1);
  for (int i = 0; i < 6; ++i) {
    RegistryKey& device = control.ensurePath(
        "Class\\" + sampleGuid(layout, "device class " + std::to_string(i)) + "\\0000");
    kValues.string(device, "DriverDesc", "Standard device " + std::to_string(i + 1));
    kValues.string(device, "ProviderName", "Microsoft");
    kValues.string(device, "DriverVersion", std::string(ntVersionNumber(layout)) + ".0");
  }
}

void addServices(RegistryKey& services) {
  for (const auto& service : kServices) {
    RegistryKey& key = services.ensurePath(service.name);
    kValues.dword(key, "Type", service.type);
    kValues.dword(key, "Start", service.start);
    kValues.dword(key, "ErrorControl", 1);
    if (*service.image) kValues.expandString(key, "ImagePath", service.image);
    kValues.string(key, "DisplayName", service.displayName);
    if (*service.group) kValues.string(key, "Group", service.group);
    if (service.type == 0x20) {
      kValues.multiString(key, "DependOnService", {"RpcSs"});
      kValues.string(key, "ObjectName", "LocalSystem");
      kValues.dword(key.ensurePath("Parameters"), "Enabled", 1);
    }
    RegistryKey& enumKey = key.ensurePath("Enum");
    kValues.dword(enumKey, "Count", 1);
    kValues.string(enumKey, "0", std::string("Root\\LEGACY_") + service.name + "\\0000");
    kValues.binary(key.ensurePath("Security"), "Security",
                   {1, 0, 0x14, 0x80, 0x90, 0, 0, 0, 0x9C, 0, 0, 0, 0x14, 0, 0, 0, 0x30, 0, 0, 0});
  }
}

RegistryKey controlSet(const SampleLayout& layout, SampleTime when) {
  RegistryKey set;
  addControl(set.ensurePath("Control"), layout, when);
  addServices(set.ensurePath("Services"));
  for (const char* profile : {"Hardware Profiles\\0001", "Hardware Profiles\\Current"}) {
    RegistryKey& settings =
        set.ensurePath(std::string(profile) + "\\System\\CurrentControlSet\\Control\\VIDEO");
    kValues.dword(settings, "DefaultSettings.BitsPerPel", 16);
    kValues.dword(settings, "DefaultSettings.XResolution", 800);
    kValues.dword(settings, "DefaultSettings.YResolution", 600);
  }
  kValues.string(set.ensurePath("Hardware Profiles\\IDConfigDB"), "FriendlyName0001", "Profile 1");
  RegistryKey& root = set.ensurePath("Enum\\Root\\PCI_HAL\\0000");
  kValues.string(root, "DeviceDesc", "Standard PC");
  kValues.multiString(root, "HardwareID", {"pci_hal"});
  return set;
}

RegistryTree systemHive(const SampleLayout& layout, SampleTime when) {
  RegistryTree tree = kValues.newTree();
  RegistryKey& select = tree.root.ensurePath("Select");
  kValues.dword(select, "Current", 1);
  kValues.dword(select, "Default", 1);
  kValues.dword(select, "Failed", 0);
  kValues.dword(select, "LastKnownGood", 2);
  RegistryKey current = controlSet(layout, when);
  current.name = "ControlSet001";
  tree.root.subkeys.push_back(current);
  current.name = "ControlSet002";
  tree.root.subkeys.push_back(std::move(current));
  RegistryKey& mounted = tree.root.ensurePath("MountedDevices");
  kValues.binary(mounted, "\\DosDevices\\C:", {0x4F, 0x1D, 0x6A, 0x2C, 0, 0x7E, 0, 0, 0, 0, 0, 0});
  kValues.binaryData(mounted, "\\??\\Volume" + sampleGuid(layout, "volume C"), 12,
                     layout.seedFor("volume"));
  RegistryKey& setup = tree.root.ensurePath("Setup");
  kValues.dword(setup, "SystemSetupInProgress", 0);
  kValues.dword(setup, "SetupType", 0);
  kValues.string(setup, "SystemPrefix", "");
  return tree;
}

// Perflib's counter names: a long multi-string, kept as big data on XP.
std::vector<std::string> performanceCounterNames() {
  static const char* const kObjects[] = {"System",  "Memory",       "Processor",         "Process",
                                         "Thread",  "PhysicalDisk", "LogicalDisk",       "Cache",
                                         "Objects", "Paging File",  "Network Interface", "Server"};
  static const char* const kCounters[] = {"% Processor Time", "Bytes/sec",         "Operations/sec",
                                          "Queue Length",     "Avg. sec/Transfer", "Faults/sec",
                                          "Handle Count",     "Working Set",       "Private Bytes",
                                          "Free Space",       "Reads/sec",         "Writes/sec"};
  std::vector<std::string> names;
  int index = 2;
  for (const char* object : kObjects)
    for (const char* counter : kCounters)
      for (const char* detail : {"", " Peak", " Total"}) {
        names.push_back(std::to_string(index));
        names.push_back(std::string(object) + " " + counter + detail);
        index += 2;
      }
  return names;
}

void addProfileList(RegistryKey& currentVersion, const SampleLayout& layout) {
  RegistryKey& list = currentVersion.ensurePath("ProfileList");
  if (layout.version != WindowsVersion::Nt4) {
    kValues.expandString(list, "ProfilesDirectory", "%SystemDrive%\\Documents and Settings");
    kValues.string(list, "AllUsersProfile", "All Users");
    kValues.string(list, "DefaultUserProfile", "Default User");
    RegistryKey& system = list.ensurePath("S-1-5-18");
    kValues.expandString(system, "ProfileImagePath",
                         "%systemroot%\\system32\\config\\systemprofile");
    kValues.dword(system, "Flags", 12);
  }
  for (const auto& profile : ntProfiles(layout)) {
    RegistryKey& entry = list.ensurePath(profile.sid);
    kValues.expandString(entry, "ProfileImagePath", "%SystemDrive%\\" + profile.folder);
    kValues.binary(entry, "Sid", sidBytes(profile.sid));
    kValues.dword(entry, "Flags", 0);
    kValues.dword(entry, "State", 0);
    kValues.string(entry, "CentralProfile", "");
    kValues.dword(entry, "ProfileLoadTimeLow", static_cast<uint32_t>(layout.seedFor(profile.sid)));
    kValues.dword(entry, "ProfileLoadTimeHigh", 0x01C2A3B4);
  }
}

RegistryTree softwareHive(SampleTree& drive, const SampleLayout& layout, SampleTime when) {
  RegistryTree tree = kValues.newTree();
  RegistryKey& root = tree.root;
  addClasses(root.ensurePath("Classes"), kValues, layout);
  RegistryKey& nt = root.ensurePath("Microsoft\\Windows NT\\CurrentVersion");
  const std::string windows = onDriveC(layout.windowsFolder);
  kValues.string(nt, "SystemRoot", windows);
  kValues.string(nt, "PathName", windows);
  kValues.string(nt, "CurrentVersion", ntVersionNumber(layout));
  kValues.string(nt, "CurrentBuildNumber", buildNumber(layout));
  kValues.string(nt, "CurrentType", "Uniprocessor Free");
  kValues.string(nt, "ProductName", layout.productName);
  kValues.string(nt, "RegisteredOwner", layout.users.front());
  kValues.string(nt, "RegisteredOrganization", "");
  kValues.string(nt, "SoftwareType", "SYSTEM");
  kValues.string(nt, "ProductId", "55274-OEM-0011903-00102");
  kValues.dword(nt, "InstallDate", static_cast<uint32_t>(layout.installTime));
  kValues.binaryData(nt, "DigitalProductId", 164, layout.seedFor("DigitalProductId"));
  addProfileList(nt, layout);
  RegistryKey& winlogon = nt.ensurePath("Winlogon");
  kValues.string(winlogon, "Shell", "Explorer.exe");
  kValues.string(winlogon, "Userinit", windows + "\\system32\\userinit.exe,");
  kValues.string(winlogon, "DefaultUserName", layout.users.front());
  kValues.string(winlogon, "DefaultDomainName", layout.computerName);
  kValues.string(winlogon, "AutoRestartShell", "1");
  kValues.string(winlogon, "LegalNoticeText", "");
  addFontList(nt.ensurePath("Fonts"), kValues);
  RegistryKey& perflib = nt.ensurePath("Perflib");
  std::vector<std::string> counters = performanceCounterNames();
  kValues.dword(perflib, "Last Counter", static_cast<uint32_t>(counters.size()));
  kValues.dword(perflib, "Version", 0x00010000);
  kValues.multiString(perflib.ensurePath("009"), "Counter", counters);
  kValues.string(nt.ensurePath("Windows"), "AppInit_DLLs", "");

  RegistryKey& current = root.ensurePath("Microsoft\\Windows\\CurrentVersion");
  kValues.string(current, "ProgramFilesDir", "C:\\Program Files");
  kValues.string(current, "CommonFilesDir", "C:\\Program Files\\Common Files");
  kValues.expandString(current, "DevicePath", "%SystemRoot%\\inf");
  kValues.expandString(current, "MediaPath", "%SystemRoot%\\Media");
  kValues.string(current, "ProductId", "55274-OEM-0011903-00102");
  kValues.string(current.ensurePath("Setup"), "SourcePath", "D:\\I386");
  RegistryKey& run = current.ensurePath("Run");
  kValues.string(run, "SystemTray", "SysTray.Exe");
  if (layout.version != WindowsVersion::Nt4)
    kValues.expandString(run, "ctfmon.exe", "%SystemRoot%\\system32\\ctfmon.exe");
  kValues.dword(current.ensurePath("Policies\\Explorer"), "NoDriveTypeAutoRun", 0x91);
  addCommonShellFolders(drive, root, kValues, layout);
  addInstalledPrograms(root, kValues, layout, when);
  return tree;
}

RegistryTree samHive(const SampleLayout& layout) {
  RegistryTree tree = kValues.newTree();
  RegistryKey& account = tree.root.ensurePath("SAM\\Domains\\Account");
  kValues.binaryData(account, "F", 80, layout.seedFor("SAM account F"));
  kValues.binaryData(account, "V", 196, layout.seedFor("SAM account V"));
  struct Account {
    std::string name;
    uint32_t rid;
  };
  std::vector<Account> accounts = {{"Administrator", 500}, {"Guest", 501}};
  for (size_t i = 0; i < layout.users.size(); ++i)
    accounts.push_back({layout.users[i], firstUserRid(layout) + static_cast<uint32_t>(i)});
  for (const auto& [name, rid] : accounts) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", rid);
    RegistryKey& user = account.ensurePath(std::string("Users\\") + hex);
    kValues.binaryData(user, "F", 80, layout.seedFor("SAM F " + name));
    kValues.binaryData(user, "V", 240 + 8 * name.size(), layout.seedFor("SAM V " + name));
    // The names key holds the account number as the value's type, with no data.
    registry::RegistryValue byName;
    byName.type = rid;
    account.ensurePath("Users\\Names\\" + name).setValue(std::move(byName));
  }
  RegistryKey& builtin = tree.root.ensurePath("SAM\\Domains\\Builtin");
  kValues.binaryData(builtin, "F", 80, layout.seedFor("SAM builtin F"));
  for (const char* alias : {"00000220", "00000221", "00000222", "00000223"})
    kValues.binaryData(builtin.ensurePath(std::string("Aliases\\") + alias), "C", 120,
                       layout.seedFor(alias));
  kValues.binary(tree.root.ensurePath("SAM\\RXACT"), "", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  return tree;
}

RegistryTree securityHive(const SampleLayout& layout) {
  RegistryTree tree = kValues.newTree();
  RegistryKey& policy = tree.root.ensurePath("Policy");
  kValues.binaryData(policy.ensurePath("PolAdtEv"), "", 44, layout.seedFor("PolAdtEv"));
  kValues.binaryData(policy.ensurePath("PolAcDmN"), "", 24, layout.seedFor("PolAcDmN"));
  kValues.binaryData(policy.ensurePath("PolAcDmS"), "", 24, layout.seedFor("PolAcDmS"));
  kValues.binaryData(policy.ensurePath("PolPrDmN"), "", 28, layout.seedFor("PolPrDmN"));
  for (const char* sid : {"S-1-5-32-544", "S-1-5-32-545", "S-1-1-0"})
    kValues.binary(policy.ensurePath(std::string("Accounts\\") + sid + "\\Sid"), "", sidBytes(sid));
  if (layout.version != WindowsVersion::Nt4) {
    kValues.binaryData(policy.ensurePath("Secrets\\DPAPI_SYSTEM\\CurrVal"), "", 60,
                       layout.seedFor("DPAPI"));
    RegistryKey& cache = tree.root.ensurePath("Cache");
    kValues.binary(cache, "NL$Control", {4, 0, 1, 0, 10, 0, 0, 0});
    for (int i = 1; i <= 10; ++i) kValues.binary(cache, "NL$" + std::to_string(i), {});
  }
  kValues.binary(tree.root.ensurePath("RXACT"), "", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  return tree;
}

RegistryTree userHive(SampleTree& drive, const SampleLayout& layout, const std::string& user,
                      const std::string& profile, SampleTime when) {
  RegistryTree tree = kValues.newTree();
  addUserSettings(tree.root, kValues, layout, when > layout.installTime ? user : "", when);
  addUserShellFolders(drive, tree.root, kValues, layout, profile);
  RegistryKey& environment = tree.root.ensurePath("Environment");
  std::string temp = layout.version == WindowsVersion::Nt4 ? "%SystemDrive%\\TEMP"
                                                           : "%USERPROFILE%\\Local Settings\\Temp";
  kValues.expandString(environment, "TEMP", temp);
  kValues.expandString(environment, "TMP", temp);
  RegistryKey& console = tree.root.ensurePath("Console");
  for (int i = 0; i < 16; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "ColorTable%02d", i);
    kValues.dword(console, name,
                  (i & 1 ? 0x80u : 0) | (i & 2 ? 0x8000u : 0) | (i & 4 ? 0x800000u : 0));
  }
  kValues.dword(console, "ScreenBufferSize", 0x012C0050);
  kValues.dword(console, "WindowSize", 0x00190050);
  return tree;
}

RegistryTree userClassesHive(const SampleLayout& layout, const std::string& user) {
  RegistryTree tree = kValues.newTree();
  std::string guid = sampleGuid(layout, "user extension " + user);
  kValues.string(tree.root.ensurePath("*\\shellex\\ContextMenuHandlers\\Sketchpad"), "", guid);
  RegistryKey& server = tree.root.ensurePath("CLSID\\" + guid + "\\InprocServer32");
  kValues.string(server, "", "C:\\Program Files\\Sketchpad 2.1\\SKSHELL.DLL");
  kValues.string(server, "ThreadingModel", "Apartment");
  kValues.expandString(tree.root.ensurePath("Applications\\notepad.exe\\shell\\open\\command"), "",
                       "%SystemRoot%\\system32\\NOTEPAD.EXE %1");
  return tree;
}

// The name a hive's root key carries: Setup builds XP's hives as
// "CMI-CreateHive{...}", the older versions from the prototype hive.
void nameRoot(NtHiveFile& hive, const SampleLayout& layout) {
  hive.tree.root.name = layout.version == WindowsVersion::WinXp
                            ? "CMI-CreateHive" + sampleGuid(layout, "hive " + hive.path)
                            : "$$$PROTO.HIV";
}

std::string configPath(const SampleLayout& layout, const char* file) {
  return layout.systemFolder + "\\config\\" + file;
}

}  // namespace

std::vector<NtProfile> ntProfiles(const SampleLayout& layout) {
  std::vector<NtProfile> profiles;
  std::string prefix = machineSidPrefix(layout);
  for (size_t i = 0; i < layout.users.size(); ++i)
    profiles.push_back({prefix + "-" + std::to_string(firstUserRid(layout) + i),
                        layout.profileFolder(layout.users[i])});
  if (layout.version == WindowsVersion::WinXp) {
    profiles.push_back({"S-1-5-19", "Documents and Settings\\LocalService"});
    profiles.push_back({"S-1-5-20", "Documents and Settings\\NetworkService"});
  }
  return profiles;
}

std::vector<NtHiveFile> ntHiveFiles(SampleTree& drive, const SampleLayout& layout,
                                    SampleTime when) {
  std::vector<NtHiveFile> hives;
  const std::string machine = "\\REGISTRY\\MACHINE\\";
  hives.push_back({configPath(layout, "system"), machine + "SYSTEM", NtHiveKind::Machine, "",
                   systemHive(layout, when)});
  hives.push_back({configPath(layout, "software"), machine + "SOFTWARE", NtHiveKind::Machine, "",
                   softwareHive(drive, layout, when)});
  hives.push_back(
      {configPath(layout, "SAM"), machine + "SAM", NtHiveKind::Machine, "", samHive(layout)});
  hives.push_back({configPath(layout, "SECURITY"), machine + "SECURITY", NtHiveKind::Machine, "",
                   securityHive(layout)});
  const std::string defaultProfile = "Documents and Settings\\Default User";
  hives.push_back({configPath(layout, "default"), "\\REGISTRY\\USER\\.DEFAULT",
                   NtHiveKind::DefaultUser, "",
                   userHive(drive, layout, "", defaultProfile, layout.installTime)});
  std::vector<NtProfile> profiles = ntProfiles(layout);
  for (size_t i = 0; i < profiles.size(); ++i) {
    const NtProfile& profile = profiles[i];
    std::string user = i < layout.users.size() ? layout.users[i] : "";
    hives.push_back({profile.folder + "\\NTUSER.DAT", "\\REGISTRY\\USER\\" + profile.sid,
                     NtHiveKind::User, profile.sid,
                     userHive(drive, layout, user, profile.folder, when)});
    if (layout.version == WindowsVersion::Nt4) continue;
    hives.push_back(
        {profile.folder + "\\Local Settings\\Application Data\\Microsoft\\Windows\\UsrClass.dat",
         "\\REGISTRY\\USER\\" + profile.sid + "_Classes", NtHiveKind::UserClasses, profile.sid,
         userClassesHive(layout, user)});
  }
  for (auto& hive : hives) nameRoot(hive, layout);
  return hives;
}

std::string ntHiveBytes(const NtHiveFile& hive, const SampleLayout& layout, SampleTime when) {
  registry::NtHiveWriteOptions options;
  options.minorVersion = layout.version == WindowsVersion::WinXp ? 5 : 3;
  options.lastWrite = sampleFileTime(when);
  options.fileName =
      hive.kind == NtHiveKind::Machine || hive.kind == NtHiveKind::DefaultUser
          ? "\\SystemRoot\\System32\\Config\\" + hive.path.substr(hive.path.rfind('\\') + 1)
          : "\\??\\" + onDriveC(hive.path);
  std::vector<uint8_t> bytes = registry::writeNtHive(hive.tree, options);
  return std::string(bytes.begin(), bytes.end());
}

NtHiveFile ntNewUserHive(SampleTree& drive, const SampleLayout& layout) {
  const std::string profile = "Documents and Settings\\Default User";
  NtHiveFile hive{profile + "\\NTUSER.DAT", "", NtHiveKind::User, "",
                  userHive(drive, layout, "", profile, layout.installTime)};
  nameRoot(hive, layout);
  return hive;
}

void addNtRegistry(SampleTree& drive, const SampleLayout& layout) {
  if (layout.version == WindowsVersion::WinXp)
    for (const char* service : {"LocalService", "NetworkService"})
      drive.folder(std::string("Documents and Settings\\") + service, kHidden);
  if (layout.version != WindowsVersion::Nt4)
    drive.folder(layout.systemFolder + "\\config\\systemprofile");
  for (const auto& hive : ntHiveFiles(drive, layout, layout.useTime)) {
    bool userFile = hive.kind == NtHiveKind::User || hive.kind == NtHiveKind::UserClasses;
    drive.file(hive.path, ntHiveBytes(hive, layout, layout.useTime), layout.useTime,
               userFile ? kHidden : 0);
  }
  NtHiveFile newUsers = ntNewUserHive(drive, layout);
  drive.file(newUsers.path, ntHiveBytes(newUsers, layout, layout.installTime), layout.installTime,
             kHidden);
}

}  // namespace platform::sample
