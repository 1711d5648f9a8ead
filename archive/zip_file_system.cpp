#include "archive/zip_file_system.h"

#include "archive/zip_paths.h"
#include "platform/core/codepage.h"

namespace archive {

bool fileExists(ZipFileSystem& fs, const std::string& path) {
  auto attributes = fs.attributes(path);
  return attributes && !(*attributes & dosattr::kDirectory);
}

uint64_t fileSize(ZipFileSystem& fs, const std::string& path) {
  std::string name = entryFileName(path);
  for (const FoundFile& found : fs.findFiles(path))
    if (platform::ansiEqualNoCase(found.name, name)) return found.size;
  return 0;
}

void createFolders(ZipFileSystem& fs, const std::string& path) {
  size_t from = path.size() > 3 && path[1] == ':' ? 3 : 0;
  for (size_t slash = path.find('\\', from); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (!folder.empty() && !fs.attributes(folder)) fs.createDirectory(folder);
  }
}

}  // namespace archive
