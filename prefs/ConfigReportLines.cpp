// The lines of the configuration report.

#include <utility>

#include "backup/model/BackupTypes.h"
#include "prefs/ConfigReport.h"

namespace corvasta {
namespace {

const std::string kIndent = "   ";
const std::string kDetailIndent(10, ' ');

std::string checkedLine(bool checked, const std::string& text) {
  return (checked ? "   X - " : "     - ") + text;
}

// One inclusion or exclusion of the settings file's syntax: a sign, a scope
// (">" with subdirectories, "|" this folder only, none with subdirectories)
// and the mask or path.
std::string maskDescription(std::string value, const std::string& entryPath, bool ownFolder) {
  bool include = true;
  if (!value.empty() && (value[0] == '-' || value[0] == '+')) {
    include = value[0] == '+';
    value.erase(0, 1);
  }
  if (ownFolder) value = inEntryFolder(value, entryPath);
  bool subdirectories = true;
  if (!value.empty() && (value[0] == '>' || value[0] == '|')) {
    subdirectories = value[0] == '>';
    value.erase(0, 1);
  }
  return kDetailIndent + (include ? "include " : "exclude ") + value +
         (subdirectories ? " (include subdirectories)" : "");
}

void addOtherFiles(const ConfigReportInput& input, std::vector<std::string>& lines) {
  if (input.otherFiles.empty()) return;
  lines.push_back("User Defined Files to Back up - Other Files (selected files have an X)");
  lines.push_back("");
  for (size_t index = 0; index < input.otherFiles.size(); ++index) {
    const OtherFilesEntry& entry = input.otherFiles[index];
    const bool checked =
        index < input.record.otherFilesChecks.size() && input.record.otherFilesChecks[index] != 0;
    lines.push_back(checkedLine(checked, entry.fileName));
    for (const std::string& mask : entry.fileTypes)
      lines.push_back(maskDescription(mask, entry.path, false));
    if (!entry.fileType.empty()) lines.push_back(maskDescription(entry.fileType, entry.path, true));
    // A chosen file reads as an inclusion with subdirectories.
    for (const std::string& file : entry.files)
      lines.push_back(kDetailIndent + "include " +
                      (file.empty() || (file[0] != '+' && file[0] != '-') ? file : file.substr(1)) +
                      " (include subdirectories)");
  }
}

struct MiscLine {
  bool enabled;
  bool checked;
  const char* on;
  const char* off;
};

void addMiscellaneous(const ConfigReportInput& input, std::vector<std::string>& lines) {
  const BackupConfigRecord& r = input.record;
  const ControlEnabling& e = input.enabling;
  const MiscLine misc[] = {
      {true, r.closeAfterBackup, "Close Corvasta after Backup",
       "Do Not Close Corvasta after Backup"},
      {true, r.minimizeDuringBackup, "Minimize Corvasta during Backup",
       "Do Not Minimize Corvasta during Backup"},
      {e.deleteFiles, r.deleteFiles, "Delete All files on the diskette before Backup",
       "Do Not delete All files on the diskette before Backup"},
      {e.treatAsFixed, r.treatAsHardDrive, "Treat Diskette, Zip Drive, or CD as HardDrive",
       "Do Not treat Diskette, Zip Drive, or CD as HardDrive"},
      {e.cdOptions, r.onlyCorvastaCDs,
       "If Target is a CD, it must already have been formatted in the CDFormat section of "
       "Corvasta Settings",
       "Target CD does not need to be formatted in the CDFormat section of Corvasta Settings"},
      {e.cdPacket, r.doNotUseCDWrite,
       "If Target is a CD, it must already be formatted with PacketCD or DirectCD",
       "Target CD does not need to be formatted with PacketCD or DirectCD"},
      {true, r.copyOpenFiles,
       "Open files will be backed up when Windows Restarts if they are listed in vastel.ini.  "
       "See Help.",
       "Open files are skipped."},
      {e.cdOptions, r.alwaysBlankCDs,
       "If Target is a CD, it must always be a blank CD (if used before, it must be formatted "
       "first)",
       "Target CD does not need to be a blank CD"},
      {e.cdOptions, r.ejectCD,
       "The CD is ejected when another CD is needed and when the Backup is finished",
       "The CD is not ejected (the user must press the Eject button on the drive to eject the "
       "CD)"},
      {true, r.verifyBackup, "Verify Backup", "Do Not Verify Backup"},
  };
  for (const MiscLine& line : misc)
    if (line.enabled) lines.push_back(kIndent + (line.checked ? line.on : line.off));
  if (!input.password.empty())
    lines.push_back(kIndent + "The Backup will be encrypted with the Password - " + input.password);
  if (r.blockCheck)
    lines.push_back(kIndent + "Large Files will be split into Files of " + r.blockNumber +
                    " bytes.");
}

}  // namespace

std::vector<std::string> configReportLines(const ConfigReportInput& input) {
  const BackupConfigRecord& r = input.record;
  std::vector<std::string> lines{
      std::string(22, ' ') + "Corvasta",
      "Corvasta crash recovery for Windows 95 to XP",
      "Help and documentation: the Corvasta help file (Corvasta.hlp)",
      "Written by the Corvasta developers",
      "",
      "Information for Config " + std::to_string(input.config) + " - " + input.name,
      "",
      kIndent + "Backup Type - " + backupTypeRules(r.backupType).caption,
      kIndent + "Target - " + r.target,
      kIndent + "Compression Level - " + compressionRules(r.compress).caption,
      "",
      "Default Files to Back up - WinFiles (selected files have an X)",
      "",
  };
  for (size_t item = 0; item < input.winFilesItems.size(); ++item)
    lines.push_back(checkedLine(item < r.winFilesChecks.size() && r.winFilesChecks[item] != 0,
                                input.winFilesItems[item]));
  lines.push_back("");
  addOtherFiles(input, lines);
  for (const char* line : {"", "Miscellaneous Settings", ""}) lines.push_back(line);
  addMiscellaneous(input, lines);
  return lines;
}

}  // namespace corvasta
