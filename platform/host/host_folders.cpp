#include "platform/host/host_folders.h"

namespace platform::host {

namespace fs = std::filesystem;

std::vector<std::string> folderNames(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}

void walkTree(const fs::path& root, const std::function<void(const TreeEntry&)>& visit) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(
           root, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code statError;
    auto status = it->symlink_status(statError);
    if (statError) continue;
    TreeEntry entry;
    if (fs::is_directory(status)) {
      entry.kind = EntryKind::Directory;
    } else if (fs::is_regular_file(status)) {
      entry.kind = EntryKind::File;
      entry.size = it->file_size(statError);
      if (statError) entry.size = 0;
    } else {
      entry.kind = EntryKind::Other;
    }
    visit(entry);
  }
}

}  // namespace platform::host
