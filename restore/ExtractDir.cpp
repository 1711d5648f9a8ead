// The extract folder Windows' registry backup cabinets are unpacked into, the
// two ways of unpacking them, and the folder's removal afterwards.

#include "app/Unit1.h"
#include "backup/BackupTypes.h"
#include "platform/files/file_system.h"
#include "platform/system/process_start.h"
#include "restore/Cabinet.h"

namespace corvasta {

namespace {

constexpr const char* kCabExtractorFailed = "Cab Extractor failed, see Backup Preferences.";

// The first extract folder number tried.
constexpr int kFirstExtractNumber = 27;

// faVolumeID: a volume label entry of a search.
constexpr uint32_t kAttributeVolumeLabel = 0x08;

}  // namespace

std::string TForm1::CreateExtractDir(const std::string& cabinet, int progressStep) {
  int number = kFirstExtractNumber;
  while (env.files.exists(loc.windowsDir + "r" + std::to_string(number))) ++number;
  const std::string extractDir = loc.windowsDir + "r" + std::to_string(number);
  createDirectories(extractDir);

  Form4.view.status = "Extracting Win" + ShortModeName + " Backup";
  env.ui.showProgress(Form4.view);
  try {
    if (Form8.cabExtractor == 1) {
      ExtractProcess(cabinet, extractDir);
    } else {
      TCabinetReader reader(env.files);
      reader.Extract(cabinet, extractDir);
    }
  } catch (const Error&) {
    ErrorFlag = true;
    ErrorList.push_back(kCabExtractorFailed);
    throw;
  }
  Form4.view.overall += progressStep;
  env.ui.showProgress(Form4.view);
  return extractDir;
}

bool TForm1::ExtractProcess(const std::string& cabinet, const std::string& destination) {
  const std::string arguments =
      "/Y /E /L \"" + destination + "\" " + ShortFileName(env.machine, cabinet);
  if (!env.files.fileExists(loc.programDir + "command.pif")) {
    env.ui.messageBox(
        "Command.com is not properly setup.\r\rPlease reinstall Corvasta " + LongModeName + ".",
        ApplicationTitle, Buttons::Ok);
    return false;
  }
  if (!env.files.fileExists(loc.programDir + "command.com")) {
    const std::string fromRoot = loc.rootDir + "command.com";
    const std::string source =
        env.files.fileExists(fromRoot) ? fromRoot : loc.windowsDir + "command.com";
    TransferFile(source, loc.programDir + "command.com", false, kTransferCopy, 0);
  }
  // The program directory is the command's current directory.
  const std::string commandLine = "Command.com \"" +
                                  ShortFileName(env.machine, RemoveBackSl(loc.programDir)) +
                                  "\" /c Extract " + arguments + " ";
  const platform::ProcessResult result =
      platform::createProcess(env.machine, commandLine, loc.programDir);
  env.ui.processMessages();
  return result.started();
}

void TForm1::DeleteDir(const std::string& directory) {
  if (directory.empty() || directory == "\\") return;
  const std::string folder = CheckPath(directory);
  for (const platform::FindData& entry : env.files.findAll(folder + "*.*")) {
    if (entry.name == "." || entry.name == "..") continue;
    if (entry.attributes & (platform::kAttributeDirectory | kAttributeVolumeLabel)) continue;
    const std::string path = folder + entry.name;
    env.files.setFileAttributes(path, platform::kAttributeNormal);
    env.files.deleteFile(path);
  }
  try {
    env.files.removeDirectory(RemoveBackSl(folder));
  } catch (const platform::OsError&) {
    env.ui.messageBox("The " + folder + " directory could not be removed." + "\r\r" +
                          "This is probably because files exist in subdirectories." + "\r\r" +
                          "You will need to use Windows Explorer to remove this directory.",
                      ApplicationTitle, Buttons::Ok);
  }
}

}  // namespace corvasta
