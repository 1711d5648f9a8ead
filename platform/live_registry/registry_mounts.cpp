#include "platform/live_registry/registry_mounts.h"

#include "platform/core/codepage.h"
#include "platform/host/host_files.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/regedit4.h"
#include "platform/registry/registry_error.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/system/environment.h"

namespace platform {

using registry::RegistryKey;
using registry::RegistryTree;

namespace {

// Loads `winPath` if it exists; returns false when it does not.
bool mount(const Machine& machine, std::vector<HiveMount>& mounts, std::string mountPath,
           std::string kernelName, const std::string& winPath, HiveMount::Format format) {
  HostLocation location = machine.resolve(winPath);
  if (!location.exists) return false;
  HiveMount hive;
  hive.mountPath = std::move(mountPath);
  hive.kernelName = std::move(kernelName);
  hive.winPath = location.longPath;
  hive.format = format;
  try {
    hive.tree = readRegistryFileOf(machine, location.longPath, format);
  } catch (const registry::RegistryFormatError& e) {
    hive.tree = RegistryTree{};
    hive.tree.stringEncoding = format == HiveMount::Format::Win9x
                                   ? registry::StringEncoding::Ansi
                                   : registry::StringEncoding::Utf16le;
    hive.damage = e.what();
  }
  mounts.push_back(std::move(hive));
  return true;
}

std::string stringValue(const RegistryKey* key, const std::string& name,
                        registry::StringEncoding encoding) {
  if (!key) return "";
  const registry::RegistryValue* value = key->findValue(name);
  if (!value || (value->type != registry::kRegSz && value->type != registry::kRegExpandSz))
    return "";
  std::vector<uint8_t> ansi = registry::toAnsiData(value->type, value->data, encoding);
  std::string text(ansi.begin(), ansi.end());
  return text.substr(0, text.find('\0'));
}

void loadWin9x(const Machine& machine, std::vector<HiveMount>& mounts) {
  const std::string windows = machine.config().windowsDirectory;
  mount(machine, mounts, "HKEY_LOCAL_MACHINE", "", windows + "\\system.dat",
        HiveMount::Format::Win9x);
  mount(machine, mounts, "HKEY_USERS", "", windows + "\\user.dat", HiveMount::Format::Win9x);
  if (machine.version() == WindowsVersion::WinMe)
    mount(machine, mounts, "HKEY_LOCAL_MACHINE\\Software\\Classes", "", windows + "\\classes.dat",
          HiveMount::Format::Win9x);
  // With user profiles on, the logged-on user's own user.dat.
  const RegistryKey* control =
      mounts.empty() ? nullptr
                     : mounts.front().tree.root.findPath("System\\CurrentControlSet\\Control");
  std::string user = stringValue(control, "Current User", registry::StringEncoding::Ansi);
  if (!user.empty())
    mount(machine, mounts, "HKEY_USERS\\" + user, "",
          windows + "\\Profiles\\" + user + "\\user.dat", HiveMount::Format::Win9x);
}

std::string lastComponent(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void loadNt(const Machine& machine, std::vector<HiveMount>& mounts) {
  const std::string config = machine.config().systemDirectory + "\\config\\";
  struct Machinehive {
    const char* name;
    const char* file;
  };
  for (auto [name, file] : {Machinehive{"SYSTEM", "system"}, Machinehive{"SOFTWARE", "software"},
                            Machinehive{"SAM", "SAM"}, Machinehive{"SECURITY", "SECURITY"}})
    mount(machine, mounts, std::string("HKEY_LOCAL_MACHINE\\") + name,
          std::string("\\REGISTRY\\MACHINE\\") + name, config + file, HiveMount::Format::NtHive);
  HiveMount hardware;
  hardware.mountPath = "HKEY_LOCAL_MACHINE\\HARDWARE";
  hardware.kernelName = "\\REGISTRY\\MACHINE\\HARDWARE";
  hardware.tree.stringEncoding = registry::StringEncoding::Utf16le;
  hardware.tree.root.ensurePath("DESCRIPTION\\System");
  hardware.tree.root.ensurePath("DEVICEMAP");
  hardware.tree.root.ensurePath("RESOURCEMAP");
  mounts.push_back(std::move(hardware));
  mount(machine, mounts, "HKEY_USERS\\.DEFAULT", "\\REGISTRY\\USER\\.DEFAULT", config + "default",
        HiveMount::Format::NtHive);

  // The logged-on user: the ProfileList entry whose folder is the user's.
  const HiveMount* software = nullptr;
  for (const auto& m : mounts)
    if (m.mountPath == "HKEY_LOCAL_MACHINE\\SOFTWARE") software = &m;
  if (!software) return;
  const RegistryKey* profiles =
      software->tree.root.findPath("Microsoft\\Windows NT\\CurrentVersion\\ProfileList");
  if (!profiles) return;
  std::vector<std::pair<std::string, std::string>> users;  // SID, profile folder
  for (const auto& entry : profiles->subkeys) {
    std::string folder = expandEnvironmentStrings(
        machine, stringValue(&entry, "ProfileImagePath", software->tree.stringEncoding));
    if (folder.empty()) continue;
    std::string sid = utf8ToAnsi(entry.name);
    bool loggedOn = ansiEqualNoCase(lastComponent(folder), machine.config().userName) ||
                    sid == "S-1-5-19" || sid == "S-1-5-20";
    if (loggedOn) users.emplace_back(sid, folder);
  }
  for (const auto& [sid, folder] : users) {
    mount(machine, mounts, "HKEY_USERS\\" + sid, "\\REGISTRY\\USER\\" + sid,
          folder + "\\NTUSER.DAT", HiveMount::Format::NtHive);
    if (machine.version() != WindowsVersion::Nt4)
      mount(machine, mounts, "HKEY_USERS\\" + sid + "_Classes",
            "\\REGISTRY\\USER\\" + sid + "_Classes",
            folder + "\\Local Settings\\Application Data\\Microsoft\\Windows\\UsrClass.dat",
            HiveMount::Format::NtHive);
  }
}

}  // namespace

RegistryTree readRegistryFileOf(const Machine& machine, const std::string& winPath,
                                HiveMount::Format format) {
  HostLocation location = machine.resolve(winPath);
  std::optional<std::string> bytes = host::readFile(location.host);
  if (!bytes) throw registry::RegistryFormatError(location.longPath + ": the file cannot be read");
  const auto* data = reinterpret_cast<const uint8_t*>(bytes->data());
  try {
    return format == HiveMount::Format::Win9x ? registry::readWin9xRegistry(data, bytes->size())
                                              : registry::readNtHive(data, bytes->size());
  } catch (const registry::RegistryFormatError& e) {
    throw registry::RegistryFormatError(location.longPath + ": " + e.what());
  }
}

std::vector<HiveMount> loadHives(const Machine& machine) {
  std::vector<HiveMount> mounts;
  if (isNt(machine.version()))
    loadNt(machine, mounts);
  else
    loadWin9x(machine, mounts);
  return mounts;
}

std::string deviceFormPath(const Machine& machine, const std::string& winPath) {
  if (winPath.size() < 3) return "";
  int volume = 0;
  for (const auto& drive : machine.drives()) {
    if (drive->type() == DriveType::Fixed) ++volume;
    if (drive->letter() == ansiUpper(winPath[0])) break;
  }
  std::string rest = winPath.substr(2);
  if (machine.version() == WindowsVersion::Nt4)
    return "\\Device\\Harddisk0\\Partition" + std::to_string(volume) + rest;
  return "\\Device\\HarddiskVolume" + std::to_string(volume) + rest;
}

}  // namespace platform
