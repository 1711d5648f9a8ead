#include "platform/files/held_open_files.h"

#include <array>

#include "platform/core/codepage.h"

namespace platform {
namespace {

bool equalsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  for (std::string_view candidate : names)
    if (ansiEqualNoCase(name, candidate)) return true;
  return false;
}

// "ntuser.dat" and "ntuser.dat.log" both count as the hive "ntuser.dat".
std::string_view withoutLog(std::string_view name) {
  if (name.size() > 4 && ansiEqualNoCase(name.substr(name.size() - 4), ".log"))
    return name.substr(0, name.size() - 4);
  return name;
}

bool startsWithFolder(const WinPath& path, const WinPath& folder) {
  if (path.drive != folder.drive || path.components.size() <= folder.components.size())
    return false;
  for (size_t i = 0; i < folder.components.size(); ++i)
    if (!ansiEqualNoCase(path.components[i], folder.components[i])) return false;
  return true;
}

bool isLoadedHive(const Machine& machine, const WinPath& path) {
  std::string name = path.name();
  std::string_view hive = withoutLog(name);
  WinPath config = parseWinPath(machine.config().systemDirectory + "\\config");
  if (startsWithFolder(path, config) && path.components.size() == config.components.size() + 1)
    return equalsOneOf(hive, {"system", "software", "sam", "security", "default"});
  // Profiles: "Documents and Settings\<user>\ntuser.dat" and
  // "...\<user>\Local Settings\Application Data\Microsoft\Windows\UsrClass.dat";
  // Windows NT 4 keeps them under the Windows directory's "Profiles".
  WinPath windows = parseWinPath(machine.config().windowsDirectory);
  WinPath profiles;
  profiles.drive = windows.drive;
  profiles.components = {"Documents and Settings"};
  WinPath nt4Profiles = windows;
  nt4Profiles.components.push_back("Profiles");
  for (const WinPath& root : {profiles, nt4Profiles}) {
    if (!startsWithFolder(path, root)) continue;
    size_t depth = path.components.size() - root.components.size();
    if (depth == 2 && ansiEqualNoCase(hive, "ntuser.dat")) return true;
    if (depth == 6 && ansiEqualNoCase(hive, "UsrClass.dat")) {
      size_t base = root.components.size() + 1;
      const std::array<std::string_view, 4> tail = {"Local Settings", "Application Data",
                                                    "Microsoft", "Windows"};
      bool matches = true;
      for (size_t i = 0; i < tail.size(); ++i)
        matches = matches && ansiEqualNoCase(path.components[base + i], tail[i]);
      if (matches) return true;
    }
  }
  return false;
}

}  // namespace

bool isHeldByWindows(const Machine& machine, const HostLocation& location) {
  if (!machine.config().running || !location.exists) return false;
  WinPath path = parseWinPath(location.longPath);
  for (const std::string& listed : machine.config().openFiles) {
    try {
      HostLocation held = machine.resolve(listed);
      if (held.exists && held.host == location.host) return true;
    } catch (const OsError&) {
      // A listed path on a drive without a medium holds nothing now.
    }
  }
  return isNt(machine.version()) && isLoadedHive(machine, path);
}

}  // namespace platform
