#pragma once
// The kernel's notices of changes to host folders (inotify): what was added
// to or removed from a folder, by this process or any other, so a list of a
// folder's names can be kept without reading the folder again.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform::host {

class FolderWatch {
 public:
  FolderWatch() = default;
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Starts following a folder; its id, or nullopt when the host cannot report
  // every change to it: no notices, a limit reached, or a file system whose
  // entries may also change elsewhere (network shares, FUSE). Watching the
  // same folder twice gives the same id.
  std::optional<int> add(const std::filesystem::path& folder);
  void remove(int id);

  struct Change {
    enum class Kind { Added, Removed, Gone };  // Gone: the folder itself moved or went
    int id = 0;
    Kind kind = Kind::Added;
    std::string name;  // UTF-8, as the host has it; empty for Gone
  };
  // Appends the changes reported since the last call. False when the kernel
  // dropped some: every followed folder must then be read afresh.
  bool take(std::vector<Change>& changes);

 private:
  int fd_ = -1;
};

}  // namespace platform::host
