#include "app/core/ScanRegLines.h"

#include <cctype>
#include <string_view>

#include "app/core/Locations.h"

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

ScanRegValues readScanRegLines(const std::vector<std::string>& lines) {
  ScanRegValues values;
  for (const std::string& line : lines) {
    if (startsWith(line, kMaxBackupCopies)) {
      const std::string number = line.substr(kMaxBackupCopies.size(), 6);
      if (isValidInteger(number))
        values.maxBackupCopies = number;
      else
        values.invalidNumbers.push_back(number);
    } else if (startsWith(line, kBackupDirectory)) {
      // An empty directory is no directory: the caller falls back to its default.
      const std::string directory = line.substr(kBackupDirectory.size());
      values.backupDirectory = directory.empty() ? std::string() : CheckPath(directory);
    }
  }
  return values;
}

std::vector<std::string> updateScanRegLines(std::vector<std::string> lines,
                                            const ScanRegUpdate& update) {
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
      line = std::string(kBackupDirectory) + RemoveBackSl(update.systemBackupDir);
      directoryNoted = true;
    } else if (startsWith(line, kMaxBackupCopies)) {
      line = std::string(kMaxBackupCopies) +
             (update.maxBackupCopies.empty() ? std::string("5") : update.maxBackupCopies);
      copiesNoted = true;
    } else if (startsWith(line, "Files=")) {
      continue;
    }
    kept.push_back(std::move(line));
  }
  if (!backupNoted) kept.push_back("Backup=1");
  if (!optimizeNoted) kept.push_back("Optimize=1");
  if (!copiesNoted) kept.push_back("MaxBackupCopies=5");
  if (!directoryNoted) kept.push_back("BackupDirectory=C:\\WINDOWS\\Sysbckup");
  for (std::string& line : filesLines(update.winFilesChecks, update.rootDir))
    kept.push_back(std::move(line));
  return kept;
}

}  // namespace corvasta
