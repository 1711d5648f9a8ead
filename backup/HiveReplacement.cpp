// The hive replacement of the Windows NT/2000/XP registry restore: every
// hive the system lists as loaded whose file is in the Redo directory, and
// every numbered user hive the Redo directory's user.ini maps, is handed to
// the registry's replace operation, which puts it in place at the next
// start of Windows and keeps the present hive in the Undo directory.

#include <map>

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/NTReg.h"
#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

// The Redo file for hive file name `file`: the name itself, or without its
// last four characters ("NTUSER" for "NTUSER.DAT"); empty when the Redo
// directory holds neither.
std::string redoFileFor(platform::FileSystem& files, const std::string& redo,
                        const std::string& file) {
  if (files.fileExists(redo + file)) return file;
  if (file.size() > 4) {
    const std::string stem = file.substr(0, file.size() - 4);
    if (files.fileExists(redo + stem)) return stem;
  }
  return "";
}

// Several loaded hives may match one Redo file (a repair folder's
// ntuser.dat matches every loaded NTUSER.DAT). The next start moves each
// replacement's new file into place, so each hive needs a file of its own,
// and its displaced hive an Undo name of its own: the first hive takes the
// file, each further one a copy named stem + n + extension ("NTUSER1.DAT").
class RedoFiles {
 public:
  RedoFiles(platform::FileSystem& files, std::string redo)
      : files_(files), redo_(std::move(redo)) {}

  // The Redo file name this hive is replaced from; empty when its own copy
  // could not be made.
  std::string claim(const std::string& file) {
    int& uses = uses_[platform::ansiUpper(file)];
    if (uses++ == 0) return file;
    const size_t dot = file.rfind('.');
    const std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : file.substr(dot);
    for (int n = 1;; ++n) {
      const std::string copy = stem + std::to_string(n) + extension;
      if (files_.exists(redo_ + copy)) continue;
      try {
        files_.copyFile(redo_ + file, redo_ + copy, true);
        files_.setFileAttributes(redo_ + copy, platform::kAttributeNormal);
      } catch (const platform::OsError&) {
        return "";
      }
      ++uses_[platform::ansiUpper(copy)];
      return copy;
    }
  }

 private:
  platform::FileSystem& files_;
  std::string redo_;
  std::map<std::string, int> uses_;
};

void showItemProgress(Core& core, size_t done, size_t total) {
  core.Form4.view.item = total == 0 ? 100 : static_cast<int>(100 * done / total);
  core.env.ui.showProgress(core.Form4.view);
  core.env.ui.processMessages();
}

void recordFailedHive(Core& core, const std::string& name) {
  core.ErrorFlag = true;
  core.ErrorList.push_back(name + " key");
}

}  // namespace

void RegistryCapture::replaceLoadedHives(const std::string& redoDir) {
  platform::FileSystem& files = core.env.files;
  const std::string redo = CheckPath(redoDir);
  TNTRegistry registry(core.env.registry);
  registry.setRootKey(platform::HKEY_LOCAL_MACHINE);
  if (!registry.openKey(kHiveListKey, false))
    throw Error("The list of loaded registry hives could not be read.");
  const std::vector<std::string> names = registry.valueNames();
  // Each hive's value read before any replacement: SaveHive uses the
  // registry too.
  std::vector<std::pair<std::string, std::string>> hives;
  for (const std::string& valueName : names) {
    std::string hivePath;
    try {
      hivePath = registry.readString(valueName);
    } catch (const Error&) {
      hivePath.clear();  // not a path: no file to replace
    }
    hives.emplace_back(valueName, hivePath);
  }
  registry.closeKey();

  RedoFiles redoFiles(files, redo);
  core.Form4.view.item = 0;
  for (size_t index = 0; index < hives.size(); ++index) {
    const auto& [valueName, hivePath] = hives[index];
    platform::HKEY root = 0;
    std::string keyPath;
    const std::string file =
        hivePath.empty() ? "" : redoFileFor(files, redo, lastElement(hivePath));
    if (!file.empty() && hiveKeyOf(valueName, root, keyPath)) {
      const std::string own = redoFiles.claim(file);
      if (own.empty() || !SaveHive(root, keyPath, false, redo + own)) recordFailedHive(core, file);
    }
    showItemProgress(core, index + 1, hives.size());
  }

  if (!ReadUserMap) return;
  const platform::TIniFile map(core.env.machine, redo + "user.ini");
  for (int k = 0;; ++k) {
    const std::string file = "user" + std::to_string(k);
    if (!files.fileExists(redo + file)) break;
    const std::string keyPath = mappedHiveKey(map, file);
    if (keyPath.empty()) continue;
    if (!SaveHive(platform::HKEY_USERS, keyPath, false, redo + file))
      recordFailedHive(core, keyPath);
  }
}

}  // namespace corvasta
