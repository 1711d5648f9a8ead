#include "app/core/EditAutoexec.h"

#include <vector>

#include "app/core/TextLines.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

bool beginsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool isProgramLine(const std::string& text, const std::string& prefix) {
  return beginsWith(text, prefix) || beginsWith(text, "del " + prefix);
}

bool isLeftover(const std::string& text, const std::vector<std::string>& inserted) {
  for (const std::string& line : inserted)
    if (!line.empty() && beginsWith(text, line)) return true;
  return false;
}

}  // namespace

std::vector<std::string> EditBatchLines(std::vector<std::string> lines, const std::string& prefix,
                                        bool remove, bool insert, const std::string& line) {
  const std::vector<std::string> inserted = splitLines(line);

  bool placeFound = false;
  size_t position = 0;
  while (position < lines.size()) {
    if (isProgramLine(lines[position], prefix)) {
      if (insert) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), inserted.begin(),
                     inserted.end());
        placeFound = true;
        break;
      }
      if (remove) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(position));
        placeFound = true;
        continue;
      }
      ++position;
    } else if (isLeftover(lines[position], inserted)) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(position));
    } else {
      ++position;
    }
  }
  if (!placeFound && !remove) lines.insert(lines.end(), inserted.begin(), inserted.end());
  return lines;
}

void EditAutoexec(platform::FileSystem& files, const std::string& file, const std::string& prefix,
                  bool remove, bool insert, const std::string& line) {
  const bool existed = files.fileExists(file);
  const std::vector<std::string> lines = EditBatchLines(
      existed ? loadLines(files, file) : std::vector<std::string>{}, prefix, remove, insert, line);
  if (!existed && lines.empty()) return;
  saveLines(files, file, lines);
}

}  // namespace corvasta
