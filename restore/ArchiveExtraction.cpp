// Extractions of the restore with every passed-over entry accounted for.

#include "restore/ArchiveExtraction.h"

#include "app/core/Core.h"
#include "backup/ItemArchiving.h"
#include "backup/OpenFileJobs.h"
#include "platform/core/codepage.h"

namespace corvasta {

void InstallZipBadPassword(Core& core) {
  const auto handler = [&core](int fileIndex, std::string& newPassword) {
    newPassword.clear();
    if (fileIndex != 0) return;
    core.env.ui.messageBox("Wrong Password", core.ApplicationTitle, Buttons::Ok, Icon::Error);
    core.Form8.password.clear();
  };
  core.Zip1.OnBadPassword = handler;
  core.Zip2.OnBadPassword = handler;
}

int entryNamed(const archive::TZipReader& zip, const std::string& name) {
  for (int i = 0; i < zip.EntryCount(); ++i)
    if (platform::ansiEqualNoCase(zip.EntryName(i), name)) return i;
  return -1;
}

void recordNotRestored(Core& core, const std::string& path, const std::string& reason) {
  core.ErrorFlag = true;
  core.ErrorList.push_back(path);
  core.ErrorList.push_back("  (" + reason + ")");
}

int ArchiveExtraction::Extract(const std::string& archivePath, int onlyEntry) {
  archive::TZipWriter& zip = core.Zip1;
  skipped.clear();
  // A directory the caller has just read (to pick an entry) is used as it is.
  if (zip.ZipName() != archivePath) zip.SetZipName(archivePath);
  items.askArchivePassword();
  zip.Password = core.Form8.password;
  if (!zip.DirectoryRead()) zip.ReadDirectory();

  // The engine's own handlers stay in charge; these only watch what they
  // decide, and are put back however the extraction ends.
  archive::TBadPasswordEvent badPassword = zip.OnBadPassword;
  archive::TSkippingFileEvent skipping = zip.OnSkippingFile;
  struct PutBack {
    archive::TZipWriter& zip;
    archive::TBadPasswordEvent& badPassword;
    archive::TSkippingFileEvent& skipping;
    ~PutBack() {
      zip.OnBadPassword = std::move(badPassword);
      zip.OnSkippingFile = std::move(skipping);
    }
  } putBack{zip, badPassword, skipping};
  const bool hadPassword = !zip.Password.empty();
  zip.OnBadPassword = [&](int fileIndex, std::string& newPassword) {
    if (badPassword) badPassword(fileIndex, newPassword);
    if (newPassword.empty())
      skipped.push_back({zip.EntryFolder(fileIndex) + zip.EntryName(fileIndex),
                         hadPassword ? "wrong password" : "no password given"});
  };
  zip.OnSkippingFile = [&](int reason, bool& retry, int fileIndex, const std::string& fileName) {
    const uint64_t deferredBefore = core.OpenFilesFound;
    if (skipping) skipping(reason, retry, fileIndex, fileName);
    if (!retry && core.OpenFilesFound == deferredBefore)
      skipped.push_back({fileName, notExtractedReason(reason)});
  };

  int written = 0;
  if (onlyEntry >= 0) {
    zip.SetEntrySelected(onlyEntry, true);
    written = zip.ExtractSelected();
  } else {
    written = zip.Extract();
  }
  for (const Skipped& entry : skipped)
    recordNotRestored(core, archivePath + ": " + entry.name, entry.reason);
  return written;
}

}  // namespace corvasta
