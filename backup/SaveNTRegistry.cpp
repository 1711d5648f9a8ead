// The registry capture of Windows NT 4, 2000 and XP: every hive the system
// lists as loaded is saved with the registry's save operation into a working
// folder and, with a map of where each hive belongs, zipped into
// registry.daz (or, in copy mode, left as files in the backup set).

#include <optional>

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/NTReg.h"
#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

// Holds the registry-busy flag for as long as the capture runs, also when it
// fails, and puts the current-item bar's divisor and offset back.
class RegistryOperation {
 public:
  explicit RegistryOperation(RegistryCapture& form) : form_(form) {
    form_.core.RegistryBusy = true;
  }
  ~RegistryOperation() {
    form_.core.RegistryBusy = false;
    form_.archiving.ProgressDivisor = 1;
    form_.archiving.ProgressOffset = 0;
  }
  RegistryOperation(const RegistryOperation&) = delete;
  RegistryOperation& operator=(const RegistryOperation&) = delete;

 private:
  RegistryCapture& form_;
};

void showStatus(RegistryCapture& form, const std::string& status) {
  form.core.Form4.view.status = status;
  form.core.env.ui.showProgress(form.core.Form4.view);
}

// A saved hive file joins the archive's files list, or in copy mode stays in
// the set and counts towards the volume.
void collectSavedHive(RegistryCapture& form, const std::string& file, bool compressed) {
  platform::FileSystem& files = form.core.env.files;
  if (!files.fileExists(file)) return;
  files.setFileAttributes(file, platform::kAttributeNormal);
  if (compressed)
    form.core.Zip1.FilesList.push_back(file);
  else
    form.core.backupRun.volumeBytesUsed += files.getFileSize(file);
}

void deleteIfPresent(platform::FileSystem& files, const std::string& file) {
  if (!files.fileExists(file)) return;
  files.setFileAttributes(file, platform::kAttributeNormal);
  files.deleteFile(file);
}

// The archive an earlier save left (RegPack's undo copy, or a set's
// registry.daz) is moved aside rather than deleted while the new one is
// made, so that the new archive is not an update of the old one and a save
// that fails part-way (a full disk, a cancel) puts the old one back instead
// of leaving none.
class PreviousArchive {
 public:
  PreviousArchive(platform::FileSystem& files, const std::string& archivePath)
      : files_(files), archivePath_(archivePath), asideName_(archivePath + ".old") {
    deleteIfPresent(files_, asideName_);
    if (!files_.fileExists(archivePath_)) return;
    files_.moveFile(archivePath_, asideName_);
    kept_ = true;
  }
  PreviousArchive(const PreviousArchive&) = delete;
  PreviousArchive& operator=(const PreviousArchive&) = delete;

  // The new archive is complete: the old one goes.
  void discard() {
    if (!kept_) return;
    kept_ = false;
    deleteIfPresent(files_, asideName_);
  }
  // The save failed: whatever part of a new archive exists goes, and the old
  // one is back under its name. Runs while an error is on its way, so a
  // failure here must not replace that error.
  void putBack() noexcept {
    if (!kept_) return;
    kept_ = false;
    try {
      deleteIfPresent(files_, archivePath_);
      files_.moveFile(asideName_, archivePath_);
    } catch (const std::exception&) {
      // The old archive stays under its aside name.
    }
  }

 private:
  platform::FileSystem& files_;
  const std::string archivePath_;
  const std::string asideName_;
  bool kept_ = false;
};

// Saves every hive of the hive list into `work`, mapping each in user.ini,
// and in zip mode archives them with the map.
void saveLoadedHives(RegistryCapture& form, const std::string& archivePath, const std::string& work,
                     bool compressed) {
  showStatus(form, "Backing up Registry");
  const std::string mapFile = work + "user.ini";
  platform::TIniFile map(form.core.env.machine, mapFile);

  TNTRegistry registry(form.core.env.registry);
  registry.setRootKey(platform::HKEY_LOCAL_MACHINE);
  // A registry whose hive list cannot be read is not backed up: the run must
  // say so rather than report a backup without a registry.
  if (!registry.openKey(kHiveListKey, false))
    throw Error("The list of loaded registry hives could not be read.");
  const std::vector<std::string> names = registry.valueNames();
  const int share = compressed ? 50 : 100;
  form.core.Form4.view.item = 0;
  if (compressed) {
    form.core.Zip1.SetZipName(archivePath);
    form.archiving.SetMultiMode(form.core.Zip1);
    form.core.Zip1.TempPath = form.core.loc.tempDir;
    form.core.Zip1.Recurse = false;
    form.core.Zip1.FilesList.clear();
    form.core.Zip1.ExcludeList.clear();
    form.core.Zip1.Password = form.core.Form8.password;
  }

  int userNumber = 0;
  for (size_t index = 0; index < names.size(); ++index) {
    const std::string& valueName = names[index];
    std::string hivePath;
    try {
      hivePath = registry.readString(valueName);
    } catch (const Error&) {
      hivePath.clear();  // not a path: no file to save
    }
    platform::HKEY root = 0;
    std::string keyPath;
    if (!hivePath.empty() && hiveKeyOf(valueName, root, keyPath)) {
      deleteIfPresent(form.core.env.files, work + lastElement(hivePath));
      const bool userHive =
          root == platform::HKEY_USERS && !platform::ansiEqualNoCase(keyPath, "\\.DEFAULT");
      const std::string file =
          userHive ? "user" + std::to_string(userNumber) : lastElement(hivePath);
      if (form.SaveHive(root, keyPath, true, work + file)) {
        writeHiveMap(form.core, map, file, stripDevicePrefix(hivePath), keyPath);
        if (userHive) ++userNumber;
      } else {
        form.core.ErrorFlag = true;
        form.core.ErrorList.push_back(file + " key");
      }
      collectSavedHive(form, work + file, compressed);
    }
    form.core.Form4.view.item = static_cast<int>(share * (index + 1) / names.size());
    form.core.env.ui.showProgress(form.core.Form4.view);
    form.core.env.ui.processMessages();
  }
  registry.closeKey();

  if (!form.core.env.files.fileExists(mapFile)) return;
  form.core.env.files.setFileAttributes(mapFile, platform::kAttributeNormal);
  if (!compressed) return;
  form.core.Zip1.FilesList.push_back(mapFile);
  form.archiving.ProgressDivisor = 2;
  form.archiving.ProgressOffset = 50;
  form.archiving.DoZip(archivePath);
  form.core.Zip1.CloseArchive();
}

// The restore direction's archive: registry.daz (or RegPack's
// registry.zzz) unpacked into the Redo directory, asking for the password
// as every extraction does. The files-restored counter starts again at 0:
// only replaced hives count. An archive that gives no file at all (a wrong
// password skips its entries) or is missing is reported, and nothing is
// replaced.
bool unpackIntoRedo(RegistryCapture& form, const std::string& archivePath, int step) {
  Core& core = form.core;
  if (!core.env.files.fileExists(archivePath)) {
    core.ErrorFlag = true;
    core.ErrorList.push_back(archivePath);
    return false;
  }
  const std::string redo = redoDirectory(core.loc.windowsDir);
  core.Zip1.SetZipName(archivePath);
  form.items.askArchivePassword();
  core.Zip1.CloseArchive();
  const uint64_t before = core.FilesBackedUp;
  form.archiving.TransferFile(archivePath, ShortFileName(core.env.machine, redo) + "registry",
                              false, kTransferUnzip, step);
  const uint64_t unpacked = core.FilesBackedUp - before;
  core.FilesBackedUp = 0;
  if (unpacked != 0) return true;
  core.ErrorFlag = true;
  core.ErrorList.push_back(archivePath);
  return false;
}

}  // namespace

// The map's two layouts: the capture's sections Location, ShortLocation and
// Key keyed by file, and the per-file sections the restore point restore
// writes. Both are written so that every reader finds its own.
void writeHiveMap(Core& core, platform::TIniFile& map, const std::string& file,
                  const std::string& location, const std::string& keyPath) {
  const std::string shortForm = ShortFileName(core.env.machine, core.loc.windowsDrive + location);
  const std::string shortLocation =
      shortForm.size() > 2 && shortForm[1] == ':' ? shortForm.substr(2) : shortForm;
  map.WriteString("Location", file, location);
  map.WriteString("ShortLocation", file, shortLocation);
  map.WriteString("Key", file, keyPath);
  map.WriteString(file, "Location", location);
  map.WriteString(file, "ShortLocation", shortLocation);
  map.WriteString(file, "Key", keyPath);
}

std::string mappedHiveKey(const platform::TIniFile& map, const std::string& file) {
  const std::string key = map.ReadString(file, "Key", "");
  return key.empty() ? map.ReadString("Key", file, "") : key;
}

std::string redoDirectory(const std::string& windowsDir) {
  return CheckPath(windowsDir) + "Corvasta\\Redo\\";
}

std::string undoDirectory(const std::string& windowsDir) {
  return CheckPath(windowsDir) + "Corvasta\\Undo\\";
}

void RegistryCapture::SaveNTRegistry(const std::string& archivePath, int step, bool compressed,
                                     bool save) {
  if (!save) {
    RegistryOperation operation(*this);
    if (compressed && !unpackIntoRedo(*this, archivePath, step)) return;
    replaceLoadedHives(compressed ? redoDirectory(core.loc.windowsDir) : CheckPath(archivePath));
    return;
  }
  if (core.targetIsEngineCd())
    throw Error("The registry cannot be backed up to a CD written by Corvasta in this version.");
  RegistryOperation operation(*this);
  std::string work = folderPart(archivePath);
  std::optional<PreviousArchive> previous;
  if (compressed) {
    previous.emplace(core.env.files, archivePath);
    work = CheckPath(firstFreeWorkingFolder(core.env.files, core.loc.windowsDir));
    core.createDirectories(work);
  }
  try {
    saveLoadedHives(*this, archivePath, work, compressed);
  } catch (...) {
    if (compressed) {
      extractFolder.DeleteDir(work);
      previous->putBack();
    }
    throw;
  }
  if (compressed) {
    extractFolder.DeleteDir(work);
    previous->discard();
    // Without a single saved hive there is no archive; the failed hives are
    // already on the error list.
    if (core.env.files.fileExists(archivePath)) {
      archiving.AttrCopy(archivePath, core.loc.windowsDir + "registry.daz", false,
                         kTransferCopyQuiet, 0);
      core.FilesBackedUp = 1;
    }
  }
  archiving.advanceOverall(step);
}

}  // namespace corvasta
