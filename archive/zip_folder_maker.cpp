#include "archive/zip_folder_maker.h"

#include "platform/core/codepage.h"

namespace archive {

void FolderMaker::makeFor(const std::string& path) {
  size_t end = path.rfind('\\');
  if (end == std::string::npos) return;
  if (known_.count(platform::ansiUpper(std::string_view(path).substr(0, end)))) return;
  size_t from = path.size() > 3 && path[1] == ':' ? 3 : 0;
  for (size_t slash = path.find('\\', from); slash != std::string::npos && slash <= end;
       slash = path.find('\\', slash + 1)) {
    std::string folder = path.substr(0, slash);
    std::string key = platform::ansiUpper(folder);
    if (folder.empty() || known_.count(key)) continue;
    if (!fs_.attributes(folder)) fs_.createDirectory(folder);
    known_.insert(std::move(key));
  }
}

}  // namespace archive
