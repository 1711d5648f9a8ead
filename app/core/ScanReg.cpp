// Windows' own registry-backup settings, "scanreg.ini" in the Windows
// directory (Windows 98 and ME): where Windows keeps its registry backups and
// how many, read at start and updated with the settings.

#include "app/core/Core.h"
#include "app/core/ScanRegLines.h"
#include "app/core/TextLines.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

std::string scanRegPath(const SystemLocations& loc) {
  return loc.windowsDir + "scanreg.ini";
}

}  // namespace

void Core::ReadScanReg() {
  loc.systemBackupDir.clear();
  const std::string path = scanRegPath(loc);
  if (env.files.fileExists(path)) {
    const ScanRegValues values = readScanRegLines(loadLines(env.files, path));
    // A damaged number is reported and the rest of the file still used:
    // stopping the start here would leave the program without its settings.
    for (const std::string& number : values.invalidNumbers)
      env.ui.messageBox("'" + number + "' is not a valid integer value",
                        "Corvasta " + ShortModeName, Buttons::Ok, Icon::Error);
    if (!values.maxBackupCopies.empty()) loc.maxBackupCopies = values.maxBackupCopies;
    loc.systemBackupDir = values.backupDirectory;
  }
  if (loc.systemBackupDir.empty() || !env.files.directoryExists(loc.systemBackupDir))
    loc.systemBackupDir = loc.windowsDir + "sysbckup\\";
}

void Core::WriteScanReg() {
  const std::string path = scanRegPath(loc);
  std::vector<std::string> lines;
  if (env.files.fileExists(path)) lines = loadLines(env.files, path);
  lines = updateScanRegLines(std::move(lines), {loc.systemBackupDir, loc.maxBackupCopies,
                                                Form8.config.winFilesChecks, loc.rootDir});
  // Windows may have left the file read-only; the program replaces it anyway.
  if (env.files.exists(path)) env.files.setFileAttributes(path, platform::kAttributeNormal);
  saveLines(env.files, path, lines);
}

}  // namespace corvasta
