#include "platform/sample/sample_registry_win9x.h"

#include "platform/registry/win9x_registry_write.h"
#include "platform/sample/sample_registry_content.h"
#include "platform/sample/sample_registry_values.h"
#include "platform/sample/sample_shell_folders.h"

namespace platform::sample {
namespace {

using registry::RegistryKey;
using registry::RegistryTree;

struct Device {
  const char* enumPath;
  const char* deviceClass;
  const char* description;
  const char* hardwareId;
};

constexpr Device kDevices[] = {
    {"Root\\*PNP0C01\\0000", "System", "System board", "*PNP0C01"},
    {"Root\\*PNP0000\\0000", "System", "Programmable interrupt controller", "*PNP0000"},
    {"Root\\*PNP0100\\0000", "System", "System timer", "*PNP0100"},
    {"Root\\*PNP0200\\0000", "System", "Direct memory access controller", "*PNP0200"},
    {"Root\\*PNP0B00\\0000", "System", "System CMOS/real time clock", "*PNP0B00"},
    {"Root\\*PNP0303\\0000", "Keyboard", "Standard 101/102-Key Keyboard", "*PNP0303"},
    {"Root\\*PNP0F13\\0000", "Mouse", "Standard PS/2 Port Mouse", "*PNP0F13"},
    {"Root\\*PNP0700\\0000", "fdc", "Standard Floppy Disk Controller", "*PNP0700"},
    {"Root\\*PNP0501\\0000", "Ports", "Communications Port (COM1)", "*PNP0501"},
    {"Root\\*PNP0400\\0000", "Ports", "Printer Port (LPT1)", "*PNP0400"},
    {"PCI\\VEN_8086&DEV_7110\\BUS_00&DEV_07&FUNC_00", "System", "PCI to ISA bridge",
     "PCI\\VEN_8086&DEV_7110"},
    {"PCI\\VEN_8086&DEV_7111\\BUS_00&DEV_07&FUNC_01", "hdc", "Standard Dual PCI IDE Controller",
     "PCI\\VEN_8086&DEV_7111"},
    {"PCI\\VEN_1013&DEV_00B8\\BUS_00&DEV_02&FUNC_00", "Display", "Standard Display Adapter (VGA)",
     "PCI\\VEN_1013&DEV_00B8"},
    {"PCI\\VEN_10EC&DEV_8029\\BUS_00&DEV_03&FUNC_00", "Net", "PCI Ethernet Adapter",
     "PCI\\VEN_10EC&DEV_8029"},
    {"ESDI\\GENERIC_IDE__DISK_TYPE47_\\MF&CHILD0000&PCI&VEN_8086", "DiskDrive", "GENERIC IDE DISK",
     "GENERIC_IDE__DISK_TYPE47_"},
    {"SCSI\\ATAPI___CD-ROM_DRIVE_____\\MF&CHILD0001&PCI&VEN_8086", "CDROM", "ATAPI CD-ROM DRIVE",
     "ATAPI___CD-ROM_DRIVE_____"},
    {"FLOP\\GENERIC_NEC__FLOPPY_DISK_\\ROOT&*PNP0700&0000", "DiskDrive", "GENERIC NEC FLOPPY DISK",
     "GENERIC_NEC__FLOPPY_DISK_"},
};

std::string windowsVersionLabel(const SampleLayout& layout) {
  switch (layout.version) {
    case WindowsVersion::Win95:
      return "Windows 95";
    case WindowsVersion::Win98:
      return "Windows 98";
    default:
      return "Windows Millennium Edition";
  }
}

void addHardware(RegistryKey& root, const SampleValues& v) {
  RegistryKey& display = root.ensurePath("Config\\0001\\Display\\Settings");
  v.string(display, "Resolution", "800,600");
  v.string(display, "BitsPerPixel", "16");
  v.string(display, "DPILogicalX", "96");
  v.string(display, "DPILogicalY", "96");
  v.binary(root.ensurePath("Config\\0001\\System\\CurrentControlSet\\Control\\Print\\Printers"),
           "Attributes", {0, 0, 0, 0});
  int number = 0;
  for (const auto& device : kDevices) {
    RegistryKey& key = root.ensurePath(std::string("Enum\\") + device.enumPath);
    v.string(key, "Class", device.deviceClass);
    v.string(key, "DeviceDesc", device.description);
    v.string(key, "HardwareID", device.hardwareId);
    v.string(key, "Mfg", "(Standard system devices)");
    char driver[64];
    std::snprintf(driver, sizeof driver, "%s\\%04d", device.deviceClass, number++);
    v.string(key, "Driver", driver);
    v.binary(key, "ConfigFlags", {0, 0, 0, 0});
    v.binary(key, "Capabilities", {0x14, 0, 0, 0});
    RegistryKey& classKey =
        root.ensurePath(std::string("System\\CurrentControlSet\\Services\\Class\\") + driver);
    v.string(classKey, "DriverDesc", device.description);
    v.string(classKey, "ProviderName", "Microsoft");
    v.string(classKey, "DriverDate", "4-23-1999");
  }
  RegistryKey& cpu = root.ensurePath("Hardware\\Description\\System\\CentralProcessor\\0");
  v.string(cpu, "Identifier", "x86 Family 6 Model 8 Stepping 3");
  v.string(cpu, "VendorIdentifier", "GenuineIntel");
  root.ensurePath("Hardware\\Description\\System\\FloatingPointProcessor\\0");
  root.ensurePath("Hardware\\devicemap\\serialcomm");
}

void addSystemSoftware(SampleTree& drive, RegistryKey& root, const SampleValues& v,
                       const SampleLayout& layout, SampleTime when) {
  const std::string windows = onDriveC(layout.windowsFolder);
  RegistryKey& software = root.ensurePath("Software");
  RegistryKey& current = software.ensurePath("Microsoft\\Windows\\CurrentVersion");
  v.string(current, "ProgramFilesDir", "C:\\Program Files");
  v.string(current, "CommonFilesDir", "C:\\Program Files\\Common Files");
  v.string(current, "SystemRoot", windows);
  v.string(current, "ProductName", layout.productName);
  v.string(current, "Version", windowsVersionLabel(layout));
  v.string(current, "VersionNumber", layout.versionNumber);
  v.string(current, "RegisteredOwner", layout.users.front());
  v.string(current, "RegisteredOrganization", "");
  v.string(current, "ProductId", "12345-OEM-0012345-12345");
  v.string(current, "MediaPath", windows + "\\MEDIA");
  v.string(current, "DevicePath", windows + "\\INF");
  v.string(current, "BootCount", when == layout.installTime ? "1" : "3");
  v.binary(current, "FirstInstallDateTime", {0x51, 0x2E, 0xA1, 0x28});
  v.binary(current, "SetupFlags", {0x80, 0x00, 0x00, 0x00});
  RegistryKey& setup = current.ensurePath("Setup");
  v.string(setup, "WinBootDir", windows);
  v.string(setup, "BootDir", "C:\\");
  v.string(setup, "SourcePath", "D:\\WIN" + layout.shortModeName + "\\");
  RegistryKey& run = current.ensurePath("Run");
  v.string(run, "SystemTray", "SysTray.Exe");
  if (layout.version != WindowsVersion::Win95)
    v.string(run, "ScanRegistry", windows + "\\scanregw.exe /autorun");
  v.string(current.ensurePath("RunServices"), "LoadPowerProfile",
           "Rundll32.exe powrprof.dll,LoadCurrentPwrScheme");
  addFontList(current.ensurePath("Fonts"), v);
  addCommonShellFolders(drive, software, v, layout);
  if (layout.profiles && when > layout.installTime) {
    RegistryKey& profiles = current.ensurePath("ProfileList");
    for (const auto& user : layout.users) {
      RegistryKey& entry = profiles.ensurePath(user);
      v.string(entry, "ProfileImagePath", onDriveC(layout.profileFolder(user)));
      v.string(entry, "CentralProfile", "");
      v.binary(entry, "ProfileFlags", {0, 0, 0, 0});
    }
  }
  addInstalledPrograms(software, v, layout, when);
  if (layout.version != WindowsVersion::WinMe)
    addClasses(software.ensurePath("Classes"), v, layout);
}

void addSystemKeys(RegistryKey& root, const SampleValues& v, const SampleLayout& layout,
                   SampleTime when) {
  const std::string windows = onDriveC(layout.windowsFolder);
  RegistryKey& control = root.ensurePath("System\\CurrentControlSet\\Control");
  v.dword(control, "InstallType", 1);
  bool loggedOn = layout.profiles && when > layout.installTime;
  if (loggedOn) v.string(control, "Current User", layout.users.front());
  v.string(control.ensurePath("ComputerName\\ComputerName"), "ComputerName", layout.computerName);
  RegistryKey& session = control.ensurePath("SessionManager");
  v.string(session, "SetupDir", windows + "\\OPTIONS\\CABS");
  v.binary(session.ensurePath("CheckBadApps"), "Version", {0x01, 0x00});
  RegistryKey& codepage = control.ensurePath("Nls\\Codepage");
  v.string(codepage, "ACP", "1252");
  v.string(codepage, "OEMCP", "850");
  RegistryKey& services = root.ensurePath("System\\CurrentControlSet\\Services");
  RegistryKey& vnet = services.ensurePath("VxD\\VNETSUP");
  v.string(vnet, "Workgroup", "WORKGROUP");
  v.string(vnet, "ComputerName", layout.computerName);
  v.string(vnet, "Comment", layout.users.front() + "'s computer");
  for (const char* vxd : {"VCOMM", "VDD", "VFAT", "IOS", "VMOUSE", "VKD"}) {
    RegistryKey& key = services.ensurePath(std::string("VxD\\") + vxd);
    v.string(key, "StaticVxD", std::string("*") + vxd);
    v.binary(key, "Start", {0});
  }
  RegistryKey& logon = root.ensurePath("Network\\Logon");
  v.string(logon, "username", layout.users.front());
  v.string(logon, "PrimaryProvider", "Microsoft Network");
  v.dword(logon, "UserProfiles", layout.profiles ? 1 : 0);
  v.dword(root.ensurePath("Security\\Provider"), "Platform_Type", 0);
}

RegistryTree systemTree(SampleTree& drive, const SampleLayout& layout, SampleTime when) {
  SampleValues v(registry::StringEncoding::Ansi);
  RegistryTree tree = v.newTree();
  addHardware(tree.root, v);
  addSystemSoftware(drive, tree.root, v, layout, when);
  addSystemKeys(tree.root, v, layout, when);
  return tree;
}

RegistryTree classesTree(const SampleLayout& layout) {
  SampleValues v(registry::StringEncoding::Ansi);
  RegistryTree tree = v.newTree();
  addClasses(tree.root, v, layout);
  return tree;
}

// A user's settings below `userRoot` with the shell folders of `profile`.
void addUser(SampleTree& drive, RegistryKey& userRoot, const SampleLayout& layout,
             const std::string& user, const std::string& profile, SampleTime when) {
  SampleValues v(registry::StringEncoding::Ansi);
  addUserSettings(userRoot, v, layout, when > layout.installTime ? user : "", when);
  addUserShellFolders(drive, userRoot, v, layout, profile);
}

}  // namespace

std::vector<Win9xRegistryFile> win9xRegistryFiles(SampleTree& drive, const SampleLayout& layout,
                                                  SampleTime when) {
  const std::string windows = layout.windowsFolder + "\\";
  std::vector<Win9xRegistryFile> files;
  files.push_back({windows + "SYSTEM.DAT", systemTree(drive, layout, when)});
  // Without profiles, .DEFAULT holds the settings of whoever logs on.
  Win9xRegistryFile defaultUser{windows + "USER.DAT", RegistryTree{}};
  addUser(drive, defaultUser.tree.root.ensurePath(".DEFAULT"), layout,
          layout.profiles ? "" : layout.users.front(), layout.windowsFolder, when);
  files.push_back(std::move(defaultUser));
  if (layout.version == WindowsVersion::WinMe)
    files.push_back({windows + "CLASSES.DAT", classesTree(layout)});
  if (layout.profiles && when > layout.installTime)
    for (const auto& user : layout.users) {
      Win9xRegistryFile own{layout.profileFolder(user) + "\\USER.DAT", RegistryTree{}};
      addUser(drive, own.tree.root, layout, user, layout.profileFolder(user), when);
      files.push_back(std::move(own));
    }
  return files;
}

std::string win9xFileBytes(const RegistryTree& tree) {
  std::vector<uint8_t> bytes = registry::writeWin9xRegistry(tree);
  return std::string(bytes.begin(), bytes.end());
}

void addWin9xRegistry(SampleTree& drive, const SampleLayout& layout) {
  const uint8_t registryFile = kHidden | kSystem | kReadOnly;
  for (const auto& file : win9xRegistryFiles(drive, layout, layout.useTime))
    drive.file(file.path, win9xFileBytes(file.tree), layout.useTime, registryFile);
  if (layout.version == WindowsVersion::Win95) {
    // The copies Windows 95 makes after each good start.
    SampleTime previous = layout.useTime - 86400;
    for (const auto& file : win9xRegistryFiles(drive, layout, previous)) {
      std::string copy = file.path.substr(0, file.path.size() - 1) + "0";
      drive.file(copy, win9xFileBytes(file.tree), previous, registryFile);
    }
  }
  SampleTree setupDrive(layout.installTime);
  auto original = win9xRegistryFiles(setupDrive, layout, layout.installTime);
  drive.file("SYSTEM.1ST", win9xFileBytes(original[0].tree), layout.installTime, registryFile);
}

}  // namespace platform::sample
