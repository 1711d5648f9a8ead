#include "platform/sample/sample_shell_folders.h"

#include <vector>

namespace platform::sample {
namespace {

using registry::RegistryKey;

constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

struct ShellFolder {
  const char* value;
  std::string path;  // relative to C:\ .
  bool required;     // added to the tree when missing
};

std::vector<ShellFolder> userFoldersOf(const SampleTree& drive, const SampleLayout& layout,
                                       const std::string& profile) {
  const std::string p = profile + "\\";
  const std::string windows = layout.windowsFolder + "\\";
  std::vector<ShellFolder> folders = {
      {"Desktop", p + "Desktop", true},
      {"AppData", p + "Application Data", true},
      {"Favorites", p + "Favorites", true},
      {"NetHood", p + "NetHood", true},
      {"Recent", p + "Recent", true},
      {"Start Menu", p + "Start Menu", true},
      {"Programs", p + "Start Menu\\Programs", true},
      {"Startup",
       p + (layout.nt ? "Start Menu\\Programs\\Startup" : "Start Menu\\Programs\\StartUp"), true},
      {"PrintHood", p + "PrintHood", true},
      {"Cookies", p + "Cookies", true},
      {"Fonts", windows + "Fonts", false},
  };
  if (layout.nt) {
    folders.push_back({"SendTo", p + "SendTo", true});
    folders.push_back({"Cache", p + "Local Settings\\Temporary Internet Files", true});
    folders.push_back({"History", p + "Local Settings\\History", true});
    folders.push_back({"Templates", p + "Templates", true});
    folders.push_back({"Personal", p + "My Documents", true});
    folders.push_back({"Local Settings", p + "Local Settings", true});
    folders.push_back({"Local AppData", p + "Local Settings\\Application Data", true});
    if (layout.version == WindowsVersion::WinXp)
      folders.push_back({"My Pictures", p + "My Documents\\My Pictures", false});
  } else {
    // Windows 9x keeps SendTo and the templates in the Windows folder for
    // every user.
    folders.push_back({"SendTo", windows + "SendTo", true});
    folders.push_back({"Cache", p + "Temporary Internet Files", true});
    folders.push_back({"History", p + "History", true});
    folders.push_back({"Templates", windows + "ShellNew", true});
    // My Documents: the profile's own, else the one in the root (none on 95).
    std::string own = p + "My Documents";
    folders.push_back({"Personal", drive.contains(own) ? own : std::string("My Documents"), false});
  }
  return folders;
}

// The form User Shell Folders holds: NT writes paths inside the profile with
// %USERPROFILE% as expandable strings.
std::string userShellForm(const SampleLayout& layout, const std::string& profile,
                          const std::string& path) {
  if (layout.nt && path.size() > profile.size() && path.compare(0, profile.size(), profile) == 0 &&
      path[profile.size()] == '\\')
    return "%USERPROFILE%" + path.substr(profile.size());
  return onDriveC(path);
}

// Shell Folders and User Shell Folders of an Explorer key, both made before
// either is used: adding a key moves its siblings.
std::pair<RegistryKey&, RegistryKey&> shellFolderKeys(RegistryKey& explorer) {
  explorer.ensurePath("Shell Folders");
  explorer.ensurePath("User Shell Folders");
  return {*explorer.findSubkey("Shell Folders"), *explorer.findSubkey("User Shell Folders")};
}

}  // namespace

void addUserShellFolders(SampleTree& drive, RegistryKey& userRoot, const SampleValues& values,
                         const SampleLayout& layout, const std::string& profile) {
  RegistryKey& explorer = userRoot.ensurePath(kExplorerKey);
  auto [shell, userShell] = shellFolderKeys(explorer);
  for (const auto& folder : userFoldersOf(drive, layout, profile)) {
    if (folder.required)
      drive.folder(folder.path);
    else if (!drive.contains(folder.path))
      continue;
    values.string(shell, folder.value, onDriveC(folder.path));
    std::string userForm = userShellForm(layout, profile, folder.path);
    if (layout.nt)
      values.expandString(userShell, folder.value, userForm);
    else
      values.string(userShell, folder.value, userForm);
  }
}

void addCommonShellFolders(const SampleTree& drive, RegistryKey& software,
                           const SampleValues& values, const SampleLayout& layout) {
  if (layout.version == WindowsVersion::Win95) return;
  const std::string all = layout.allUsersFolder() + "\\";
  const std::string startMenu = all + "Start Menu";
  const std::vector<std::pair<const char*, std::string>> common = {
      {"Common Desktop", all + "Desktop"},
      {"Common Start Menu", startMenu},
      {"Common Programs", startMenu + "\\Programs"},
      {"Common Startup", startMenu + (layout.nt ? "\\Programs\\Startup" : "\\Programs\\StartUp")},
      {"Common AppData", all + "Application Data"},
      {"Common Documents", all + "Documents"},
      {"Common Favorites", all + "Favorites"},
      {"Common Templates", all + "Templates"},
  };
  auto [shell, userShell] =
      shellFolderKeys(software.ensurePath("Microsoft\\Windows\\CurrentVersion\\Explorer"));
  bool allUsersVariable = layout.nt && layout.version != WindowsVersion::Nt4;
  for (const auto& [name, path] : common) {
    if (!drive.contains(path)) continue;
    values.string(shell, name, onDriveC(path));
    if (allUsersVariable)
      values.expandString(userShell, name,
                          "%ALLUSERSPROFILE%" + path.substr(layout.allUsersFolder().size()));
    else
      values.string(userShell, name, onDriveC(path));
  }
}

}  // namespace platform::sample
