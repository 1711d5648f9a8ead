// The extract folder Windows' registry backup cabinets are unpacked into, the
// two ways of unpacking them, and the folder's removal afterwards.

#include "backup/ExtractFolder.h"

#include "app/core/Core.h"
#include "backup/FileArchiving.h"
#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"
#include "platform/system/process_start.h"
#include "restore/cabinet/Cabinet.h"

namespace corvasta {

namespace {

constexpr const char* kCabExtractorFailed = "Cab Extractor failed, see Backup Preferences.";

// faVolumeID: a volume label entry of a search.
constexpr uint32_t kAttributeVolumeLabel = 0x08;

}  // namespace

std::string ExtractFolder::CreateExtractDir(const std::string& cabinet, int progressStep) {
  // r27, r28 ... : folders of that name the user keeps are passed over.
  const std::string extractDir = firstFreeWorkingFolder(core.env.files, core.loc.windowsDir);
  core.createDirectories(extractDir);

  core.Form4.view.status = "Extracting Win" + core.ShortModeName + " Backup";
  core.env.ui.showProgress(core.Form4.view);
  try {
    if (core.Form8.cabExtractor == 1) {
      ExtractProcess(cabinet, extractDir);
    } else {
      TCabinetReader reader(core.env.files);
      reader.Extract(cabinet, extractDir);
    }
  } catch (const Error&) {
    core.ErrorFlag = true;
    core.ErrorList.push_back(kCabExtractorFailed);
    throw;
  }
  core.Form4.view.overall += progressStep;
  core.env.ui.showProgress(core.Form4.view);
  return extractDir;
}

bool ExtractFolder::ExtractProcess(const std::string& cabinet, const std::string& destination) {
  const std::string arguments =
      "/Y /E /L \"" + destination + "\" " + ShortFileName(core.env.machine, cabinet);
  if (!core.env.files.fileExists(core.loc.programDir + "command.pif")) {
    core.env.ui.messageBox("Command.com is not properly setup.\r\rPlease reinstall Corvasta " +
                               core.LongModeName + ".",
                           core.ApplicationTitle, Buttons::Ok);
    return false;
  }
  if (!core.env.files.fileExists(core.loc.programDir + "command.com")) {
    const std::string fromRoot = core.loc.rootDir + "command.com";
    const std::string source =
        core.env.files.fileExists(fromRoot) ? fromRoot : core.loc.windowsDir + "command.com";
    archiving.TransferFile(source, core.loc.programDir + "command.com", false, kTransferCopy, 0);
  }
  // The program directory is the command's current directory.
  const std::string commandLine =
      "Command.com \"" + ShortFileName(core.env.machine, RemoveBackSl(core.loc.programDir)) +
      "\" /c Extract " + arguments + " ";
  const platform::ProcessResult result =
      platform::createProcess(core.env.machine, commandLine, core.loc.programDir);
  core.env.ui.processMessages();
  return result.started();
}

void ExtractFolder::DeleteDir(const std::string& directory) {
  if (directory.empty() || directory == "\\") return;
  const std::string folder = CheckPath(directory);
  for (const platform::FindData& entry : core.env.files.findAll(folder + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.attributes & (platform::kAttributeDirectory | kAttributeVolumeLabel)) continue;
    const std::string path = folder + entry.name;
    core.env.files.setFileAttributes(path, platform::kAttributeNormal);
    core.env.files.deleteFile(path);
  }
  try {
    core.env.files.removeDirectory(RemoveBackSl(folder));
  } catch (const platform::OsError&) {
    core.env.ui.messageBox("The " + folder + " directory could not be removed." + "\r\r" +
                               "This is probably because files exist in subdirectories." + "\r\r" +
                               "You will need to use Windows Explorer to remove this directory.",
                           core.ApplicationTitle, Buttons::Ok);
  }
}

}  // namespace corvasta
