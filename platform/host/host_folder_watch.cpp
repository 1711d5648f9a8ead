#include "platform/host/host_folder_watch.h"

#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace platform::host {
namespace {

// File systems whose entries change only through this kernel, so its notices
// are complete.
bool changesOnlyHere(const std::filesystem::path& folder) {
  struct statfs info {};
  if (statfs(folder.c_str(), &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0x01021994:  // tmpfs
    case 0x4D44:      // FAT (msdos, vfat)
    case 0x2011BAB0:  // exFAT
    case 0x7366746E:  // ntfs3
    case 0xF2F52010:  // f2fs
    case 0x794C7630:  // overlay
      return true;
    default:
      return false;
  }
}

constexpr uint32_t kWatched = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                              IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

FolderWatch::~FolderWatch() {
  if (fd_ >= 0) close(fd_);
}

std::optional<int> FolderWatch::add(const std::filesystem::path& folder) {
  if (!changesOnlyHere(folder)) return std::nullopt;
  if (fd_ < 0) fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return std::nullopt;
  int id = inotify_add_watch(fd_, folder.c_str(), kWatched);
  if (id < 0) return std::nullopt;
  return id;
}

void FolderWatch::remove(int id) {
  if (fd_ >= 0) inotify_rm_watch(fd_, id);
}

bool FolderWatch::take(std::vector<Change>& changes) {
  if (fd_ < 0) return true;
  alignas(inotify_event) char buffer[64 * 1024];
  bool complete = true;
  for (;;) {
    ssize_t length = read(fd_, buffer, sizeof buffer);
    if (length <= 0) {
      if (length < 0 && errno == EINTR) continue;
      return complete;  // EAGAIN: nothing more is waiting
    }
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      const char* name = buffer + at + sizeof event;
      at += static_cast<ssize_t>(sizeof event + event.len);
      if (event.mask & IN_Q_OVERFLOW) {
        complete = false;
        continue;
      }
      Change change;
      change.id = event.wd;
      if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
        change.kind = Change::Kind::Added;
      } else if (event.mask & (IN_DELETE | IN_MOVED_FROM)) {
        change.kind = Change::Kind::Removed;
      } else if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) {
        change.kind = Change::Kind::Gone;
      } else {
        continue;
      }
      if (change.kind != Change::Kind::Gone && event.len > 0) change.name = name;
      changes.push_back(std::move(change));
    }
    // The kernel fills the buffer while events fit; room left for the
    // largest event means the queue was empty (no second read for EAGAIN).
    if (static_cast<size_t>(length) + sizeof(inotify_event) + NAME_MAX + 1 <= sizeof buffer)
      return complete;
  }
}

}  // namespace platform::host
