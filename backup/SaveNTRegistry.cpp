// The registry capture of Windows NT 4, 2000 and XP: every hive the system
// lists as loaded is saved with the registry's save operation into a working
// folder and, with a map of where each hive belongs, zipped into
// registry.daz (or, in copy mode, left as files in the backup set).

#include "app/Unit1.h"
#include "backup/BackupTypes.h"
#include "backup/NTReg.h"
#include "backup/RegistryCaptureHiveList.h"
#include "backup/RegistryCapturePaths.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

constexpr const char* kHiveList = "\\SYSTEM\\CurrentControlSet\\Control\\hivelist";

// Holds the registry-busy flag for as long as the capture runs, also when it
// fails, and puts the current-item bar's divisor and offset back.
class RegistryOperation {
 public:
  explicit RegistryOperation(TForm1& form) : form_(form) { form_.RegistryBusy = true; }
  ~RegistryOperation() {
    form_.RegistryBusy = false;
    form_.ProgressDivisor = 1;
    form_.ProgressOffset = 0;
  }
  RegistryOperation(const RegistryOperation&) = delete;
  RegistryOperation& operator=(const RegistryOperation&) = delete;

 private:
  TForm1& form_;
};

void showStatus(TForm1& form, const std::string& status) {
  form.Form4.view.status = status;
  form.env.ui.showProgress(form.Form4.view);
}

// Records where a saved hive belongs in the map file.
void writeHiveLocation(TForm1& form, platform::TIniFile& map, const std::string& file,
                       const std::string& location, const std::string& keyPath) {
  const std::string shortForm = ShortFileName(form.env.machine, form.loc.windowsDrive + location);
  const std::string shortLocation =
      shortForm.size() > 2 && shortForm[1] == ':' ? shortForm.substr(2) : shortForm;
  map.WriteString("Location", file, location);
  map.WriteString("ShortLocation", file, shortLocation);
  map.WriteString("Key", file, keyPath);
  // The restore looks the numbered user hives up by file: the same three
  // facts under a section of the file's name.
  map.WriteString(file, "Location", location);
  map.WriteString(file, "ShortLocation", shortLocation);
  map.WriteString(file, "Key", keyPath);
}

// A saved hive file joins the archive's files list, or in copy mode stays in
// the set and counts towards the volume.
void collectSavedHive(TForm1& form, const std::string& file, bool compressed) {
  platform::FileSystem& files = form.env.files;
  if (!files.fileExists(file)) return;
  files.setFileAttributes(file, platform::kAttributeNormal);
  if (compressed)
    form.Zip1.FilesList.push_back(file);
  else
    form.backupRun.volumeBytesUsed += files.getFileSize(file);
}

void deleteIfPresent(platform::FileSystem& files, const std::string& file) {
  if (!files.fileExists(file)) return;
  files.setFileAttributes(file, platform::kAttributeNormal);
  files.deleteFile(file);
}

// Saves every hive of the hive list into `work`, mapping each in user.ini,
// and in zip mode archives them with the map.
void saveLoadedHives(TForm1& form, const std::string& archivePath, const std::string& work,
                     bool compressed) {
  showStatus(form, "Backing up Registry");
  const std::string mapFile = work + "user.ini";
  platform::TIniFile map(form.env.machine, mapFile);

  TNTRegistry registry(form.env.registry);
  registry.setRootKey(platform::HKEY_LOCAL_MACHINE);
  // A registry whose hive list cannot be read is not backed up: the run must
  // say so rather than report a backup without a registry.
  if (!registry.openKey(kHiveList, false))
    throw Error("The list of loaded registry hives could not be read.");
  const std::vector<std::string> names = registry.valueNames();
  const int share = compressed ? 50 : 100;
  form.Form4.view.item = 0;
  if (compressed) {
    form.Zip1.SetZipName(archivePath);
    form.SetMultiMode(form.Zip1);
    form.Zip1.TempPath = form.loc.tempDir;
    form.Zip1.Recurse = false;
    form.Zip1.FilesList.clear();
    form.Zip1.ExcludeList.clear();
    form.Zip1.Password = form.Form8.password;
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
      deleteIfPresent(form.env.files, work + lastElement(hivePath));
      const bool userHive =
          root == platform::HKEY_USERS && !platform::ansiEqualNoCase(keyPath, "\\.DEFAULT");
      const std::string file =
          userHive ? "user" + std::to_string(userNumber) : lastElement(hivePath);
      if (form.SaveHive(root, keyPath, true, work + file)) {
        writeHiveLocation(form, map, file, stripDevicePrefix(hivePath), keyPath);
        if (userHive) ++userNumber;
      } else {
        form.ErrorFlag = true;
        form.ErrorList.push_back(file + " key");
      }
      collectSavedHive(form, work + file, compressed);
    }
    form.Form4.view.item = static_cast<int>(share * (index + 1) / names.size());
    form.env.ui.showProgress(form.Form4.view);
    form.env.ui.processMessages();
  }
  registry.closeKey();

  if (!form.env.files.fileExists(mapFile)) return;
  form.env.files.setFileAttributes(mapFile, platform::kAttributeNormal);
  if (!compressed) return;
  form.Zip1.FilesList.push_back(mapFile);
  form.ProgressDivisor = 2;
  form.ProgressOffset = 50;
  form.DoZip(archivePath);
  form.Zip1.CloseArchive();
}

}  // namespace

void TForm1::SaveNTRegistry(const std::string& archivePath, int step, bool compressed, bool save) {
  if (!save) throw Error(kNtRegistryRestoreNotAvailable);
  if (targetIsEngineCd())
    throw Error("The registry cannot be backed up to a CD written by Corvasta in this version.");
  RegistryOperation operation(*this);
  std::string work = folderPart(archivePath);
  if (compressed) {
    deleteIfPresent(env.files, archivePath);
    work = CheckPath(firstFreeWorkingFolder(env.files, loc.windowsDir));
    createDirectories(work);
  }
  try {
    saveLoadedHives(*this, archivePath, work, compressed);
  } catch (...) {
    if (compressed) DeleteDir(work);
    throw;
  }
  if (compressed) {
    DeleteDir(work);
    // Without a single saved hive there is no archive; the failed hives are
    // already on the error list.
    if (env.files.fileExists(archivePath)) {
      AttrCopy(archivePath, loc.windowsDir + "registry.daz", false, kTransferCopyQuiet, 0);
      FilesBackedUp = 1;
    }
  }
  advanceOverall(step);
}

}  // namespace corvasta
