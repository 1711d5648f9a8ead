#include "platform/host/host_folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

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

std::vector<FolderEntry> folderEntries(const fs::path& folder) {
  std::vector<FolderEntry> entries;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return entries;
  const int fd = dirfd(dir.get());
  while (const dirent* d = readdir(dir.get())) {
    if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
    FolderEntry entry;
    entry.name = d->d_name;
    struct stat st {};
    if (fstatat(fd, d->d_name, &st, 0) == 0) {
      if (S_ISDIR(st.st_mode)) {
        entry.kind = EntryKind::Directory;
      } else if (S_ISREG(st.st_mode)) {
        entry.kind = EntryKind::File;
        entry.size = static_cast<uint64_t>(st.st_size);
      } else {
        entry.kind = EntryKind::Other;
      }
    }
    entries.push_back(std::move(entry));
  }
  return entries;
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
