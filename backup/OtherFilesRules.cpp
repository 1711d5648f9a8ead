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
