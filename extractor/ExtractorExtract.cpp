// TForm10's Extract button: the checked entries of an archive, or the checked
// files of an uncompressed set copied back, then the report.

#include <algorithm>

#include "app/core/Core.h"
#include "backup/FileArchiving.h"
#include "backup/ItemArchiving.h"
#include "backup/OpenFileJobs.h"
#include "backup/model/BackupTypes.h"
#include "extractor/ExtractorDirection.h"
#include "extractor/Unit10.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"

namespace corvasta {

namespace {

constexpr const char* kNotToOriginal =
    "These files cannot be restored to their Original Location\r\rPlease choose in \"Extract "
    "to:\" something other than Original Location.";
constexpr const char* kRegistryNotRestored =
    "Registry files could not be restored.  Please use the Crash Fixer with the Windows Crash "
    "checkbox checked.";

void recordSkipped(Core& core, const std::string& path, const std::string& reason) {
  core.ErrorFlag = true;
  core.ErrorList.push_back(path);
  core.ErrorList.push_back("  (" + reason + ")");
}

// The archive engine's handlers for one extraction, put back however it ends.
struct HandlersKept {
  explicit HandlersKept(archive::TZipWriter& zip)
      : zip(zip),
        badPassword(zip.OnBadPassword),
        skipping(zip.OnSkippingFile),
        percent(zip.OnTotalPercentDone) {}
  ~HandlersKept() {
    zip.OnBadPassword = std::move(badPassword);
    zip.OnSkippingFile = std::move(skipping);
    zip.OnTotalPercentDone = std::move(percent);
  }
  archive::TZipWriter& zip;
  archive::TBadPasswordEvent badPassword;
  archive::TSkippingFileEvent skipping;
  archive::TTotalPercentDoneEvent percent;
};

}  // namespace

std::optional<std::string> TForm10::destination() {
  switch (ComboBox1Index) {
    case kOriginalLocation:
      return std::string();
    case kTemporaryDirectory: {
      const std::string temp = core.loc.programDir.substr(0, 2) + "\\Temp";
      core.createDirectories(temp);
      return temp;
    }
    default:
      // "Specify Location..." without a chosen folder asks for one; Cancel
      // extracts nothing.
      if (ComboBox1Items.size() <= kChosenDir) ComboBox1Change(kSpecifyLocation);
      if (ComboBox1Items.size() <= kChosenDir) return std::nullopt;
      ComboBox1Index = kChosenDir;
      return ComboBox1Items[kChosenDir];
  }
}

void TForm10::Button8Click() {
  if (Edit1.empty()) return;
  const std::optional<std::string> destDir = destination();
  if (!destDir) return;
  core.env.ui.setBusyCursor(BusyCursor = true);
  core.FilesBackedUp = 0;
  core.OpenFilesFound = 0;
  core.ErrorList = {"The following file(s) could not be copied:", ""};
  core.ErrorFlag = false;
  core.RegistryFilesFlag = false;
  CountLabel = "Extracting - Please Wait";
  countChanged(true);

  std::vector<std::string> files;
  for (int node : TreeView1.FileNodes())
    if (TreeView1.node(node).checked) files.push_back(TreeView1.PathOfNode(node));
  int count = 0;
  std::optional<std::string> failure;
  try {
    ExtractorDirection direction(core, Edit1);
    count = CheckBox2 ? extractArchive(*destDir) : copyDirectoryFiles(*destDir, files);
  } catch (const Error& error) {
    core.Zip1.CloseArchive();
    failure = error.what();
    if (!CheckBox2) count = static_cast<int>(core.FilesBackedUp);
  }
  CountLabel = "Extraction Finished";
  ProgressBarVisible = false;
  core.env.ui.setBusyCursor(BusyCursor = false);
  report(count, *destDir);
  if (failure)
    core.env.ui.messageBox(Edit1 + ": " + *failure, core.ApplicationTitle, Buttons::Ok,
                           Icon::Error);
}

int TForm10::extractArchive(const std::string& destDir) {
  archive::TZipWriter& zip = core.Zip1;
  // The directory the listing read is used as it is: its entries are the
  // ones the tree shows, and a spanned or truncated archive is not asked
  // about a second time.
  if (zip.ZipName() != Edit1 || !zip.DirectoryRead()) {
    zip.SetZipName(Edit1);
    zip.ReadDirectory();
  }
  zip.FilesList.clear();
  std::vector<int> chosen;
  for (int node : TreeView1.FileNodes())
    if (TreeView1.node(node).checked) {
      zip.FilesList.push_back(TreeView1.PathOfNode(node));
      for (int entry : TreeView1.node(node).entries) chosen.push_back(entry);
    }
  zip.RecreateDirs = CheckBox1;
  zip.DoAll = false;
  zip.DestDir = destDir;
  // Exactly the checked entries, whatever other folders hold files of the
  // same names, and none an earlier extraction chose.
  for (int entry = 0; entry < zip.EntryCount(); ++entry) zip.SetEntrySelected(entry, false);
  for (int entry : chosen) zip.SetEntrySelected(entry, true);
  std::sort(chosen.begin(), chosen.end());
  // The password is asked for at the first checked entry that needs one.
  for (int entry : chosen)
    if (zip.EntryEncrypted(entry)) {
      items.askArchivePassword(entry);
      break;
    }
  zip.Password = core.Form8.password;

  HandlersKept kept(zip);
  const bool passwordGiven = !zip.Password.empty();
  bool told = false;
  zip.OnBadPassword = [&](int index, std::string& newPassword) {
    newPassword.clear();
    if (passwordGiven && !told) {
      told = true;
      core.env.ui.messageBox("Wrong Password", core.ApplicationTitle, Buttons::Ok, Icon::Error);
      core.Form8.password.clear();
    }
    recordSkipped(core, zip.EntryFolder(index) + zip.EntryName(index),
                  passwordGiven ? "wrong password" : "no password given");
  };
  zip.OnSkippingFile = [&](int reason, bool& retry, int index, const std::string& fileName) {
    const uint64_t deferredBefore = core.OpenFilesFound;
    if (kept.skipping) kept.skipping(reason, retry, index, fileName);
    if (!retry && core.OpenFilesFound == deferredBefore)
      recordSkipped(core, fileName, notExtractedReason(reason));
  };
  zip.OnTotalPercentDone = [&](int percent) {
    if (kept.percent) kept.percent(percent);
    ProgressBarPosition = percent;
    ProgressBarVisible = percent < 100;
    if (PaintProgressBar) PaintProgressBar();
  };
  // The directory stays read for the next extraction from the same listing
  // (the engine has let go of the archive's file already); only a failure
  // closes it.
  return zip.ExtractSelected();
}

int TForm10::copyDirectoryFiles(const std::string& destDir, const std::vector<std::string>& files) {
  if (ListingBase == "0" && destDir.empty()) {
    core.env.ui.messageBox(kNotToOriginal, core.ApplicationTitle, Buttons::Ok);
    return 0;
  }
  const std::string destRoot = RemoveBackSl(destDir);
  for (const std::string& file : files) {
    // The path with the drive's colon taken out: C:\WINDOWS\a.ini gives C\WINDOWS\a.ini.
    const std::string below = file.size() >= 2 ? file.substr(0, 1) + file.substr(2) : file;
    std::string source = file, dest;
    if (ListingBase != "0") {
      source = ListingBase + below;
      dest = destDir.empty() ? file : destRoot + "\\" + below;
    } else {
      // A drive root on the file's own drive would be its own destination.
      if (destDir.size() <= 3 && !destDir.empty() &&
          platform::ansiUpper(destDir.substr(0, 1)) == platform::ansiUpper(file.substr(0, 1)))
        continue;
      dest = destRoot + "\\" + (below.size() >= 2 ? below.substr(2) : below);
    }
    const size_t slash = dest.rfind('\\');
    if (slash != std::string::npos) core.createDirectories(dest.substr(0, slash));
    archiving.AttrCopy(source, dest, false, kTransferCopyRestore, 1);
  }
  return static_cast<int>(core.FilesBackedUp);
}

void TForm10::report(int count, const std::string& destDir) {
  const std::string message = std::to_string(count) + " Files Extracted" +
                              (destDir.empty() ? std::string(".") : " to " + destDir + ".");
  const std::string openFiles =
      std::to_string(core.OpenFilesFound) + " open files will be restored when Windows restarts.";
  if (core.ErrorFlag) {
    core.ErrorList.insert(core.ErrorList.end(), {"", message});
    if (core.OpenFilesFound > 0) core.ErrorList.insert(core.ErrorList.end(), {"", openFiles});
    if (core.RegistryFilesFlag)
      core.ErrorList.insert(core.ErrorList.end(), {"", kRegistryNotRestored});
    for (const std::string& line : core.ErrorList) core.Log(line);
    core.Log("<<< Ended at " + core.Timestamp());
    core.WriteResultFile();
    core.ShowWarningList(false);
    return;
  }
  std::string shown = message;
  if (core.OpenFilesFound > 0) shown += "\r\r" + openFiles;
  if (core.RegistryFilesFlag) shown += std::string("\r\r") + kRegistryNotRestored;
  core.Log(message);
  core.Log("<<< Ended at " + core.Timestamp());
  core.WriteResultFile();
  core.env.ui.messageBox(shown, core.ApplicationTitle, Buttons::Ok);
}

}  // namespace corvasta
