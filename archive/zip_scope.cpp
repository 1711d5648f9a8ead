#include "archive/zip_scope.h"

#include "archive/zip_masks.h"
#include "platform/core/codepage.h"

namespace archive {

std::string folderPart(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::optional<std::string> scopedMask(std::string_view entry, std::string_view folder,
                                      std::string_view ownFolderMarks) {
  if (entry.empty()) return std::string();
  if (entry[0] == '>') return std::string(entry.substr(1));
  if (ownFolderMarks.find(entry[0]) != std::string_view::npos) {
    const std::string_view mask = entry.substr(1);
    if (!platform::ansiEqualNoCase(folderPart(mask), folder)) return std::nullopt;
    return std::string(mask);
  }
  return std::string(entry);
}

bool scopeMatches(std::string_view entry, std::string_view folder, std::string_view path,
                  std::string_view ownFolderMarks) {
  const std::optional<std::string> mask = scopedMask(entry, folder, ownFolderMarks);
  return mask && !mask->empty() && maskMatches(*mask, std::string(path));
}

}  // namespace archive
