// The texts that close a backup: the summary under the warning list and the
// "Backup Finished" message.

#include "backup/BackupRunState.h"

namespace corvasta {
namespace {

constexpr const char* kOpenFilesHelp =
    "Please see Corvasta Help to find out how to back up open files.";
constexpr const char* kLongNames = "Files were found with names longer than 127 characters.";
constexpr const char* kLongNamesSkipped =
    "Filenames on CDs must be less than 127 characters.  These files were skipped.  Consider "
    "compressing the backup if you want to back up these files.";
constexpr const char* kBigFiles = "Files were found that were too big to fit on a CD.";
constexpr const char* kBigFilesSkipped =
    "These files were skipped.  Consider compressing the backup if you want to back up these "
    "files.";

}  // namespace

std::vector<std::string> warningSummaryLines(const RunFindings& findings) {
  std::vector<std::string> lines{"", std::to_string(findings.filesBackedUp) + " files backed up."};
  if (findings.openFilesFound > 0) {
    lines.insert(lines.end(), {"", std::to_string(findings.openFilesFound) + " open files found.",
                               kOpenFilesHelp});
  }
  if (findings.registryFiles) {
    lines.insert(lines.end(),
                 {"",
                  "You had the Registry files selected for backup.  This is not a problem, except "
                  "that the Registry can only be backed up when the Registry checkbox is checked "
                  "on the WinFiles tab of Backup Properties."});
  }
  if (findings.longNames) lines.insert(lines.end(), {"", kLongNames, kLongNamesSkipped});
  if (findings.bigFiles) lines.insert(lines.end(), {"", kBigFiles, kBigFilesSkipped});
  return lines;
}

std::string finishedMessage(const RunFindings& findings) {
  std::string message =
      "Backup Finished\r\r" + std::to_string(findings.filesBackedUp) + " files backed up.";
  if (findings.openFilesFound > 0)
    message += "\r\r" + std::to_string(findings.openFilesFound) + " open files found.\r\r" +
               kOpenFilesHelp;
  if (findings.registryFiles)
    message +=
        "\r\rThe Registry can only be backed up when the Registry checkbox is checked on the "
        "WinFiles tab of Backup Properties.";
  if (findings.longNames) message += std::string("\r\r") + kLongNames + "  " + kLongNamesSkipped;
  if (findings.bigFiles) message += std::string("\r\r") + kBigFiles + "  " + kBigFilesSkipped;
  return message;
}

}  // namespace corvasta
