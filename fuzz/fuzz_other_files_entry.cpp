// Other Files entries as a settings file may hold them, and the 8.3 aliases
// of a machine's files: the lists, notes text, drive letter and alias numbers
// taken from them never fail on any text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "backup/AliasNumbers.h"
#include "backup/OtherFilesEntry.h"

namespace {

std::vector<std::string> linesOf(const uint8_t* data, size_t size) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n')
      lines.emplace_back();
    else
      lines.back() += static_cast<char>(data[i]);
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = linesOf(data, size);
  corvasta::OtherFilesEntry entry;
  entry.fileName = lines[0];
  entry.path = lines.size() > 1 ? lines[1] : std::string();
  for (size_t i = 2; i < lines.size(); ++i) {
    switch (i % 4) {
      case 0:
        entry.fileTypes.push_back(lines[i]);
        break;
      case 1:
        entry.files.push_back(lines[i]);
        break;
      case 2:
        entry.noteLines.push_back(lines[i]);
        break;
      default:
        entry.fileType = lines[i];
        break;
    }
  }
  const corvasta::OtherFilesSelection selection = corvasta::otherFilesSelection(entry);
  for (const std::string& listed : selection.filesList)
    if (listed.empty()) std::abort();
  for (const std::string& excluded : selection.excludeList)
    if (excluded.empty()) std::abort();
  (void)corvasta::otherFilesNotesText(entry);
  if (const auto drive = corvasta::entireDriveLetter(entry.fileName))
    if (*drive < 'A' || *drive > 'Z') std::abort();
  for (const std::string& line : lines) {
    if (const auto number = corvasta::aliasNumber(line))
      if (*number == 0) std::abort();
    (void)corvasta::aliasStem(line);
    if (corvasta::placeholderName(line, 3).size() !=
        (line.size() < 2 ? line.size() : line.size() + 3))
      std::abort();
  }
  return 0;
}
