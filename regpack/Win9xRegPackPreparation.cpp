// What the Windows 95, 98 and ME RegPack does in Windows before it asks:
// the DOS support files, a check that every registry file it rebuilds can be
// read, the Expanded RegPack's exports and the Quick RegPack's undo copies.

#include <utility>

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/files/whole_file_write.h"
#include "platform/registry/win9x_registry_read.h"
#include "regpack/UserExportRoot.h"
#include "regpack/Win9xRegPack.h"

namespace corvasta {

namespace {

// Hidden: the exports run without a window of their own.
constexpr int kHideWindow = 0;

bool parsesAsRegistry(platform::FileSystem& files, const std::string& path) {
  try {
    const std::string bytes = platform::readWholeFile(
        files, path,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete);
    platform::registry::readWin9xRegistry(reinterpret_cast<const uint8_t*>(bytes.data()),
                                          bytes.size());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void deleteIfPresent(platform::FileSystem& files, const std::string& path) {
  if (!files.fileExists(path)) return;
  files.setFileAttributes(path, platform::kAttributeNormal);
  files.deleteFile(path);
}

}  // namespace

bool Win9xRegPack::supportFilesReady() {
  platform::FileSystem& files = core.env.files;
  const std::string& program = core.loc.programDir;
  if (!files.fileExists(program + "command.pif")) {
    core.env.ui.messageBox(
        "Command.com is not properly setup.\r\rPlease reinstall Corvasta.  Command.pif missing.",
        core.ApplicationTitle, Buttons::Ok, Icon::Error);
    return false;
  }
  if (!files.fileExists(program + "command.com")) {
    const std::string fromRoot = core.loc.rootDir + "command.com";
    const std::string source =
        files.fileExists(fromRoot) ? fromRoot : core.loc.windowsDir + "command.com";
    if (files.fileExists(source)) files.copyFile(source, program + "command.com", false);
  }
  return true;
}

bool Win9xRegPack::registryReadable() {
  platform::FileSystem& files = core.env.files;
  const std::string& windows = core.loc.windowsDir;
  std::vector<std::string> registryFiles{core.loc.winbootdir + "system.dat", windows + "user.dat"};
  if (core.WindowsMode == 3) registryFiles.push_back(windows + "classes.dat");
  for (const std::string& folder : profileFolders()) registryFiles.push_back(folder + "user.dat");
  for (const std::string& file : registryFiles) {
    if (!files.fileExists(file) || parsesAsRegistry(files, file)) continue;
    stopWith("RegPack cannot rebuild " + file +
             ": the file is damaged and cannot be read.\r\rNothing has been changed.  Use the "
             "Crash Fixer to restore the registry from a backup.");
    return false;
  }
  return true;
}

bool Win9xRegPack::exportRegistry() {
  platform::FileSystem& files = core.env.files;
  const std::string& windows = core.loc.windowsDir;
  const std::string& user = core.loc.userDir;
  const std::string regedit = "command.com /c " + windows + "regedit /e ";
  const std::pair<std::string, std::string> exports[] = {
      {windows + "all.reg", ""},
      {user + "HKLM.reg", " HKEY_LOCAL_MACHINE"},
      {user + "HKU.reg", " HKEY_USERS"},
  };
  for (const auto& [file, key] : exports) {
    // An export left by an earlier RegPack must not pass for this one.
    deleteIfPresent(files, file);
    const std::optional<uint32_t> exitCode = core.Exec(regedit + file + key, kHideWindow);
    if (!exitCode) return false;
    if (*exitCode != 0 || !files.fileExists(file) || files.getFileSize(file) == 0) {
      stopWith("The registry could not be exported to " + file +
               ".\r\rRegPack has stopped; nothing has been changed.");
      return false;
    }
  }
  // With profiles, HKU.reg serves only the logged-on user's fallback in
  // MS-DOS mode, which imports it into that user's own user.dat.
  if (platform::ansiUpper(user) != platform::ansiUpper(windows)) {
    const std::string hku = user + "HKU.reg";
    const std::string folder = user.substr(0, user.size() - 1);
    try {
      platform::writeWholeFile(files, hku,
                               UserExportAtFileRoot(platform::readWholeFile(files, hku),
                                                    folder.substr(folder.rfind('\\') + 1)));
    } catch (const corvasta::Error&) {
      stopWith("The registry could not be exported to " + hku +
               ".\r\rRegPack has stopped; nothing has been changed.");
      return false;
    }
  }
  return true;
}

bool Win9xRegPack::makeQuickUndoCopies() {
  platform::FileSystem& files = core.env.files;
  const std::string& windows = core.loc.windowsDir;
  std::vector<std::pair<std::string, std::string>> copies{
      {core.loc.winbootdir + "system.dat", windows + "system.zzz"},
      {windows + "user.dat", windows + "user.zzz"}};
  if (core.WindowsMode == 3) copies.emplace_back(windows + "classes.dat", windows + "classes.zzz");
  for (const std::string& folder : profileFolders())
    copies.emplace_back(folder + "user.dat", folder + "user.zzz");

  for (const auto& [source, copy] : copies) {
    if (!files.fileExists(source)) continue;
    bool made = false;
    try {
      backup.archiving.AttrCopy(source, copy, false, kTransferCopy, 0);
      made = files.fileExists(copy) && files.getFileSize(copy) == files.getFileSize(source);
    } catch (const std::exception&) {
      made = false;
    }
    if (made) continue;
    // Without its undo copy a rebuild could not be taken back.
    stopWith("The undo copy " + copy + " could not be made from " + source +
             ".\r\rRegPack has stopped; the registry has not been changed.");
    return false;
  }
  return true;
}

}  // namespace corvasta
