// Windows' own registry-backup settings, "scanreg.ini" in the Windows
// directory (Windows 98 and ME): where Windows keeps its registry backups and
// how many, read at start and updated with the settings.

#include <cctype>

#include "app/TextLines.h"
#include "app/Unit1.h"
#include "backup/WinFiles.h"
#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

constexpr std::string_view kMaxBackupCopies = "MaxBackupCopies=";
constexpr std::string_view kBackupDirectory = "BackupDirectory=";

bool startsWith(const std::string& line, std::string_view prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

// StrToInt: optional blanks and sign, then decimal digits and nothing else.
bool isValidInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

std::string scanRegPath(const SystemLocations& loc) {
  return loc.windowsDir + "scanreg.ini";
}

// The "Files=" lines that make Windows back up the checked WinConfig items 1..9.
std::vector<std::string> filesLines(const std::vector<int>& checks, const std::string& rootDir) {
  static const char* const kRootFiles[] = {"autoexec.bat", "config.sys", "msdos.sys", "command.com",
                                           "io.sys"};
  static const char* const kWindowsFiles[] = {"system.cb", "ttfcache", "dosstart.bat",
                                              "protocol.ini"};
  std::vector<std::string> lines;
  for (size_t item = 1; item <= 9 && item < checks.size(); ++item) {
    if (checks[item] == 0) continue;
    lines.push_back(item <= 5 ? "Files=01," + rootDir + kRootFiles[item - 1]
                              : std::string("Files=10,") + kWindowsFiles[item - 6]);
  }
  return lines;
}

}  // namespace

void TForm1::ReadScanReg() {
  loc.systemBackupDir.clear();
  const std::string path = scanRegPath(loc);
  if (env.files.fileExists(path)) {
    for (const std::string& line : loadLines(env.files, path)) {
      if (startsWith(line, kMaxBackupCopies)) {
        const std::string number = line.substr(kMaxBackupCopies.size(), 6);
        if (isValidInteger(number)) {
          loc.maxBackupCopies = number;
        } else {
          // A damaged line is reported, and the rest of the file is still
          // read: stopping here would leave the start without its settings.
          env.ui.messageBox("'" + number + "' is not a valid integer value",
                            "Corvasta " + ShortModeName, Buttons::Ok, Icon::Error);
        }
      } else if (startsWith(line, kBackupDirectory)) {
        loc.systemBackupDir = CheckPath(line.substr(kBackupDirectory.size()));
      }
    }
  }
  if (loc.systemBackupDir.empty() || !env.files.directoryExists(loc.systemBackupDir))
    loc.systemBackupDir = loc.windowsDir + "sysbckup\\";
}

void TForm1::WriteScanReg() {
  const std::string path = scanRegPath(loc);
  std::vector<std::string> lines;
  if (env.files.fileExists(path)) lines = loadLines(env.files, path);
  bool backupNoted = false, optimizeNoted = false, directoryNoted = false, copiesNoted = false;
  std::vector<std::string> kept;
  for (std::string& line : lines) {
    if (startsWith(line, "Backup=1")) {
      backupNoted = true;
    } else if (startsWith(line, "Backup=0")) {
      line = "Backup=1";
      backupNoted = true;
    } else if (startsWith(line, "Optimize")) {
      optimizeNoted = true;
    } else if (startsWith(line, kBackupDirectory)) {
      line = std::string(kBackupDirectory) + RemoveBackSl(loc.systemBackupDir);
      directoryNoted = true;
    } else if (startsWith(line, kMaxBackupCopies)) {
      line = std::string(kMaxBackupCopies) +
             (loc.maxBackupCopies.empty() ? std::string("5") : loc.maxBackupCopies);
      copiesNoted = true;
    } else if (startsWith(line, "Files=")) {
      continue;
    }
    kept.push_back(line);
  }
  if (!backupNoted) kept.push_back("Backup=1");
  if (!optimizeNoted) kept.push_back("Optimize=1");
  if (!copiesNoted) kept.push_back("MaxBackupCopies=5");
  if (!directoryNoted) kept.push_back("BackupDirectory=C:\\WINDOWS\\Sysbckup");
  for (std::string& line : filesLines(Form8.config.winFilesChecks, loc.rootDir))
    kept.push_back(std::move(line));
  if (env.files.exists(path)) env.files.setFileAttributes(path, platform::kAttributeNormal);
  saveLines(env.files, path, kept);
}

}  // namespace corvasta
