// The system locations found at start: the Startup and Desktop folders, the
// user profile directories, Windows' system-backup directory, the boot drive
// and the directories the settings may override (Root, Startup, Temp).

#include "app/core/Core.h"
#include "app/core/RegistryString.h"
#include "app/core/SettingsNames.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"
#include "platform/system/environment.h"
#include "platform/system/system_info.h"

namespace corvasta {
namespace {

constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string environmentValue(const platform::Machine& machine, std::string_view name) {
  return platform::getEnvironmentVariable(machine, name).value_or("");
}

// The restore-point directory of Windows XP: the first "_restore{...}" folder
// in "System Volume Information" of the Windows drive; empty when none.
std::string restorePointDirectory(platform::FileSystem& files, const std::string& windowsDrive) {
  const std::string folder = windowsDrive + "\\System Volume Information\\";
  try {
    for (const platform::FindData& entry : files.findAll(folder + "_restore{*"))
      if (!entry.name.empty() && entry.name.front() != '.') return folder + entry.name + "\\";
  } catch (const corvasta::Error&) {
    // No such folder: the machine keeps no restore points.
  }
  return {};
}

}  // namespace

void Core::ReadSystemLocations() {
  loc.windowsDir = CheckPath(platform::ansiUpper(platform::getWindowsDirectory(env.machine)));
  loc.systemDir = CheckPath(platform::ansiUpper(platform::getSystemDirectory(env.machine)));
  loc.windowsDrive = platform::ansiUpper(loc.windowsDir.substr(0, 2));
  GetStartup();
  ReadStartupDir();
}

std::string bootMarkerFile(bool win9x) {
  return win9x ? "system.1st" : "ntldr";
}

void Core::FindDesktopFolder() {
  const std::optional<std::string> desktop =
      readRegistryString(env.registry, platform::HKEY_CURRENT_USER, kShellFolders, "Desktop");
  loc.desktopFolder = desktop ? CheckPath(*desktop) : loc.windowsDir + "Desktop\\";
}

void Core::GetStartup() {
  const std::optional<std::string> startup =
      readRegistryString(env.registry, platform::HKEY_CURRENT_USER, kShellFolders, "Startup");
  loc.startupFolder =
      startup ? CheckPath(*startup) : loc.windowsDir + "Startm~1\\Programs\\StartUp\\";
  FindDesktopFolder();

  if (isWin9xMode()) {
    const std::string user =
        readRegistryString(env.registry, platform::HKEY_LOCAL_MACHINE,
                           "System\\CurrentControlSet\\Control", "Current User")
            .value_or("");
    const std::string profile = loc.windowsDir + "Profiles\\" + user + "\\";
    loc.userDir =
        !user.empty() && env.files.fileExists(profile + "user.dat") ? profile : loc.windowsDir;
    loc.defaultSystemBackupDir = loc.windowsDir + "Sysbckup\\";
  } else if (isNtMode()) {
    const std::string user = platform::getUserName(env.machine);
    const std::string profile = loc.windowsDrive + "\\Documents and Settings\\" + user + "\\";
    loc.ntProfileDir =
        !user.empty() && env.files.fileExists(profile + "ntuser.dat") ? profile : loc.windowsDir;
    const platform::TIniFile settings(env.machine, settingsFile());
    loc.userDir = settings.ReadString(kDefaultDirectories, "User", loc.ntProfileDir);
    if (settings.ValueExists(kDefaultDirectories, "LongUser"))
      loc.userDir = settings.ReadString(kDefaultDirectories, "LongUser", loc.userDir);
    if (loc.userDir.empty()) loc.userDir = loc.ntProfileDir;
    if (WindowsMode == 6)
      loc.defaultSystemBackupDir = restorePointDirectory(env.files, loc.windowsDrive);
  } else {
    loc.userDir = loc.windowsDir;
  }
}

void Core::ReadStartupDir() {
  const platform::TIniFile settings(env.machine, settingsFile());
  loc.startupDir = CheckPath(
      platform::ansiUpper(settings.ReadString(kDefaultDirectories, "StartUp", loc.startupFolder)));
}

void Core::FindBootDrive() {
  const std::string marker = bootMarkerFile(isWin9xMode());
  loc.bootDriveRoot = "C:\\";
  for (const std::string& root : env.files.getLogicalDriveStrings()) {
    if (env.files.getDriveType(root) != platform::DriveType::Fixed) continue;
    if (env.files.fileExists(root + marker)) {
      loc.bootDriveRoot = root;
      return;
    }
  }
}

void Core::ReadDirectories() {
  FindBootDrive();
  const platform::TIniFile settings(env.machine, settingsFile());
  const std::string root = settings.ReadString(kDefaultDirectories, "Root", loc.bootDriveRoot);
  loc.rootDir = root.empty() ? loc.bootDriveRoot : CheckPath(root);

  const std::string winbootdir = environmentValue(env.machine, "winbootdir");
  loc.winbootdir = winbootdir.empty() ? loc.windowsDir : CheckPath(winbootdir);
  const std::string comspec = environmentValue(env.machine, "ComSpec");
  loc.commandInterpreter = comspec.empty() ? loc.systemDir + "cmd.exe" : comspec;

  const std::string temp = environmentValue(env.machine, "TEMP");
  loc.defaultTempDir = temp.empty() ? loc.rootDir + "Temp\\" : temp;
  const std::string tempDir = settings.ReadString(kDefaultDirectories, "Temp", loc.defaultTempDir);
  loc.tempDir = tempDir.empty() ? loc.defaultTempDir : tempDir;
}

void Core::CheckDirectories() {
  if (!env.files.directoryExists(loc.startupDir)) loc.startupDir = loc.startupFolder;
  if (!env.files.directoryExists(loc.tempDir)) loc.tempDir = loc.defaultTempDir;
}

}  // namespace corvasta
