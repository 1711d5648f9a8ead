// The default-directory menus of the Advanced page ("&Root", "&Startup",
// "&Temp", "&User") and of the system-backup page's directory button: the
// current directory, "&Browse" and "&Default Directory".

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"

namespace corvasta {
namespace {

constexpr size_t kBrowseItem = 1;
constexpr size_t kDefaultItem = 2;

std::string& directoryOf(SystemLocations& loc, DefaultDirectory which) {
  switch (which) {
    case DefaultDirectory::Root:
      return loc.rootDir;
    case DefaultDirectory::Startup:
      return loc.startupDir;
    case DefaultDirectory::Temp:
      return loc.tempDir;
    case DefaultDirectory::User:
      return loc.userDir;
    case DefaultDirectory::SystemBackup:
      break;
  }
  return loc.systemBackupDir;
}

std::string defaultOf(const SystemLocations& loc, DefaultDirectory which) {
  switch (which) {
    case DefaultDirectory::Root:
      return loc.bootDriveRoot;
    case DefaultDirectory::Startup:
      return loc.startupFolder;
    case DefaultDirectory::Temp:
      return loc.defaultTempDir;
    case DefaultDirectory::User:
      return loc.ntProfileDir.empty() ? loc.windowsDir : loc.ntProfileDir;
    case DefaultDirectory::SystemBackup:
      break;
  }
  return loc.defaultSystemBackupDir;
}

const char* chooserTitle(DefaultDirectory which) {
  switch (which) {
    case DefaultDirectory::Startup:
      return "Find the Startup Directory";
    case DefaultDirectory::Temp:
      return "Choose a Temp Directory";
    case DefaultDirectory::User:
      return "Choose the Windows User Directory";
    default:
      return "Select Directory for Windows Backups";
  }
}

std::string chosenDirectory(const std::string& chosen) {
  return CheckPath(platform::ansiUpper(chosen));
}

}  // namespace

void TForm8::DirectoryButtonClick(DefaultDirectory which) {
  SystemLocations& loc = core.loc;
  std::string& directory = directoryOf(loc, which);
  const std::string original = directory;
  const std::string caption = which == DefaultDirectory::SystemBackup
                                  ? visibility().systemBackupDirectoryCaption
                                  : kDirectoryButtons[static_cast<size_t>(which)];
  const bool differs = !platform::ansiEqualNoCase(directory, defaultOf(loc, which));
  const std::optional<size_t> chosen = core.env.ui.popupMenu(
      caption, {directory, "&Browse", "&Default Directory"}, {true, true, differs});
  if (!chosen || (*chosen != kBrowseItem && *chosen != kDefaultItem)) return;
  platform::FileSystem& files = core.env.files;

  if (*chosen == kDefaultItem) {
    directory = defaultOf(loc, which);
  } else if (which == DefaultDirectory::Root) {
    const std::string marker = bootMarkerFile(core.isWin9xMode());
    const std::optional<std::string> file =
        core.env.ui.chooseFile("Open", "Look for " + marker + " |" + marker, loc.rootDir);
    if (!file) return;
    directory = chosenDirectory(file->substr(0, file->find_last_of('\\') + 1));
  } else if (which == DefaultDirectory::SystemBackup) {
    // Windows keeps its backup folder hidden; the chooser shows it only while
    // its attributes are cleared, and they come back whatever happens.
    const bool present = !original.empty() && files.directoryExists(original);
    const uint32_t attributes = present ? files.getFileAttributes(original) : 0;
    std::optional<std::string> folder;
    try {
      if (present) files.setFileAttributes(original, platform::kAttributeNormal);
      folder = core.env.ui.chooseFolder(chooserTitle(which), original);
    } catch (...) {
      if (present) files.setFileAttributes(original, attributes);
      throw;
    }
    if (present) files.setFileAttributes(original, attributes);
    if (!folder) return;
    directory = chosenDirectory(*folder);
    if (!files.directoryExists(directory)) core.createDirectories(directory);
  } else {
    const std::optional<std::string> folder =
        core.env.ui.chooseFolder(chooserTitle(which), directory);
    if (!folder) return;
    directory = chosenDirectory(*folder);
  }

  if (which == DefaultDirectory::Root && RootDirectoryChanged) RootDirectoryChanged();
  if (which == DefaultDirectory::SystemBackup) backup.manager.RefreshBackupManager();
  changed();
}

}  // namespace corvasta
