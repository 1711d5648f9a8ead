// What an Other Files entry's archive takes: its files and exclude lists, its
// notes text, and the drive of an entire-drive entry.

#include <cctype>
#include <string_view>

#include "backup/OtherFilesEntry.h"

namespace corvasta {

namespace {

constexpr std::string_view kEntireDriveMark = "All Files on Drive";

bool hasFolder(const std::string& mask) {
  return mask.find_first_of("\\:") != std::string::npos;
}

}  // namespace

std::string inEntryFolder(const std::string& mask, const std::string& path) {
  const size_t modeLength = !mask.empty() && (mask[0] == '>' || mask[0] == '|') ? 1 : 0;
  const std::string bare = mask.substr(modeLength);
  if (hasFolder(bare)) return mask;
  const size_t slash = path.find_last_of('\\');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return mask.substr(0, modeLength) + folder + bare;
}

namespace {

// One report line of an inclusion, exclusion or chosen file: a sign ("+",
// "-" or none for an inclusion), a scope (">" with subdirectories, "|" this
// folder only, none with subdirectories) and the mask or path. A mask of the
// entry's own folder without a folder of its own gets the entry's folder.
std::string reportLine(std::string value, const std::string& entryPath, bool ownFolder) {
  bool exclusion = false;
  if (!value.empty() && (value[0] == '-' || value[0] == '+')) {
    exclusion = value[0] == '-';
    value.erase(0, 1);
  }
  if (ownFolder) value = inEntryFolder(value, entryPath);
  bool subdirectories = true;
  if (!value.empty() && (value[0] == '>' || value[0] == '|')) {
    subdirectories = value[0] == '>';
    value.erase(0, 1);
  }
  return std::string(10, ' ') + (exclusion ? "exclude " : "include ") + value +
         (subdirectories ? " (include subdirectories)" : "");
}

}  // namespace

std::vector<std::string> otherFilesReportLines(const OtherFilesEntry& entry, bool checked) {
  std::vector<std::string> lines{(checked ? "   X - " : "     - ") + entry.fileName};
  for (const std::string& value : entry.fileTypes)
    lines.push_back(reportLine(value, entry.path, false));
  if (!entry.fileType.empty()) lines.push_back(reportLine(entry.fileType, entry.path, true));
  // A chosen file reads as an inclusion with subdirectories; one unticked
  // ("-") as the exclusion it is.
  for (const std::string& value : entry.files)
    lines.push_back(reportLine(value, entry.path, false));
  return lines;
}

OtherFilesSelection otherFilesSelection(const OtherFilesEntry& entry) {
  OtherFilesSelection selection;
  if (!entry.fileType.empty())
    selection.filesList.push_back(inEntryFolder(entry.fileType, entry.path));
  for (const std::string& mask : entry.fileTypes) {
    if (mask.empty()) continue;
    if (mask[0] == '-') {
      if (mask.size() > 1)
        selection.excludeList.push_back(inEntryFolder(mask.substr(1), entry.path));
    } else {
      selection.filesList.push_back(inEntryFolder(mask, entry.path));
    }
  }
  for (const std::string& file : entry.files) {
    if (file.size() < 2) continue;
    if (file[0] == '-')
      selection.excludeList.push_back(file.substr(1));
    else
      selection.filesList.push_back("|" + file.substr(1));
  }
  return selection;
}

std::optional<std::string> otherFilesNotesText(const OtherFilesEntry& entry) {
  if (!entry.notes.empty()) return entry.notes;
  if (entry.noteLines.empty()) return std::nullopt;
  std::string text;
  for (const std::string& line : entry.noteLines) text += line + "\r\n";
  return text;
}

std::optional<char> entireDriveLetter(const std::string& fileName) {
  if (fileName.find(kEntireDriveMark) == std::string::npos) return std::nullopt;
  const unsigned char letter = static_cast<unsigned char>(fileName.back());
  if (!std::isalpha(letter) || letter > 127) return std::nullopt;
  return static_cast<char>(std::toupper(letter));
}

}  // namespace corvasta
