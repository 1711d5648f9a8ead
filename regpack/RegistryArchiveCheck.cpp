// The registry archive check: the archive unpacked into a working folder of
// the Windows directory, each hive file parsed there, the folder removed.

#include "regpack/RegistryArchiveCheck.h"

#include "app/core/Core.h"
#include "archive/ZipReader.h"
#include "backup/ExtractFolder.h"
#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/registry_mounts.h"
#include "platform/registry/registry_error.h"

namespace corvasta {

namespace {

// The working folder lives only as long as the check.
class WorkingFolder {
 public:
  WorkingFolder(Core& core, ExtractFolder& extractFolder)
      : extractFolder_(extractFolder),
        path_(CheckPath(firstFreeWorkingFolder(core.env.files, core.loc.windowsDir))) {
    core.createDirectories(path_);
  }
  ~WorkingFolder() {
    try {
      extractFolder_.DeleteDir(path_);
    } catch (const Error&) {
      // A folder left behind holds only copies; the check's answer stands.
    }
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  ExtractFolder& extractFolder_;
  std::string path_;
};

std::string faultText(const std::string& archivePath, const std::string& reason) {
  return "The registry archive " + archivePath + " cannot be used: " + reason +
         "\r\rNothing has been changed.";
}

}  // namespace

std::string registryArchiveFault(Core& core, ExtractFolder& extractFolder,
                                 const std::string& archivePath) {
  if (!core.env.files.fileExists(archivePath))
    return faultText(archivePath, "the file does not exist.");
  const WorkingFolder work(core, extractFolder);
  archive::TZipReader reader(core.zipFileSystem);
  reader.SetZipName(archivePath);
  reader.Password = core.Form8.password;
  reader.OnBadPassword = [](int, std::string& newPassword) { newPassword.clear(); };
  reader.DestDir = work.path();
  reader.RecreateDirs = false;
  reader.DoAll = true;
  std::vector<std::string> names;
  try {
    reader.ReadDirectory();
    if (reader.EntryCount() == 0) throw Error("it holds no entries");
    for (int index = 0; index < reader.EntryCount(); ++index)
      if (!reader.EntryEncrypted(index) || !core.Form8.password.empty())
        names.push_back(reader.EntryName(index));
    reader.Extract();
    reader.CloseArchive();
  } catch (const archive::ZipUserCancel&) {
    throw;
  } catch (const Error& error) {
    reader.CloseArchive();
    return faultText(archivePath,
                     std::string("it is not a readable ZIP archive (") + error.what() + ").");
  }
  for (const std::string& name : names) {
    if (platform::ansiEqualNoCase(name, "user.ini")) continue;
    const std::string file = work.path() + name;
    // An entry skipped for its password is the restore's to ask about.
    if (!core.env.files.fileExists(file)) continue;
    try {
      platform::readRegistryFileOf(core.env.machine, file, platform::HiveMount::Format::NtHive);
    } catch (const platform::registry::RegistryFormatError& error) {
      // The reader names the working folder's copy; the user knows the entry.
      std::string reason = error.what();
      const size_t named = reason.find(name + ": ");
      if (named != std::string::npos) reason = reason.substr(named + name.size() + 2);
      return faultText(archivePath, "its registry file " + name + " is damaged (" + reason + ").");
    }
  }
  return "";
}

}  // namespace corvasta
