#include "platform/core/folder_names.h"

#include <algorithm>
#include <atomic>

#include "platform/core/codepage.h"
#include "platform/host/host_folders.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string keyOf(std::string_view ansiName) {
  return ansiUpper(ansiName);
}

uint64_t newStamp() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}

}  // namespace

uint64_t newListingStamp() {
  return newStamp();
}

void FolderListing::add(const std::string& hostName) {
  std::vector<std::string>& names = byKey_[keyOf(utf8ToAnsi(hostName))];
  if (std::find(names.begin(), names.end(), hostName) == names.end()) names.push_back(hostName);
}

void FolderListing::remove(const std::string& hostName) {
  auto it = byKey_.find(keyOf(utf8ToAnsi(hostName)));
  if (it == byKey_.end()) return;
  std::erase(it->second, hostName);
  if (stamp_) stamp_ = newStamp();
  if (it->second.empty()) byKey_.erase(it);
}

std::optional<std::string> FolderListing::find(std::string_view ansiName) const {
  auto it = byKey_.find(keyOf(ansiName));
  if (it == byKey_.end()) return std::nullopt;
  return it->second.front();
}

void FolderNameIndex::drop(KeptMap::iterator kept) {
  watch_.remove(kept->second.watch);
  byWatch_.erase(kept->second.watch);
  kept_.erase(kept);
}

void FolderNameIndex::dropOldest() {
  auto oldest = std::min_element(kept_.begin(), kept_.end(), [](const auto& a, const auto& b) {
    return a.second.lastUse < b.second.lastUse;
  });
  if (oldest != kept_.end()) drop(oldest);
}

void FolderNameIndex::applyChanges() {
  if (kept_.empty()) return;
  std::vector<host::FolderWatch::Change> changes;
  if (!watch_.take(changes)) {
    while (!kept_.empty()) drop(kept_.begin());
    return;
  }
  for (const auto& change : changes) {
    auto watched = byWatch_.find(change.id);
    if (watched == byWatch_.end()) continue;
    Kept& kept = watched->second->second;
    switch (change.kind) {
      case host::FolderWatch::Change::Kind::Added:
        kept.names.add(change.name);
        break;
      case host::FolderWatch::Change::Kind::Removed:
        kept.names.remove(change.name);
        break;
      case host::FolderWatch::Change::Kind::Gone:
        drop(watched->second);
        break;
    }
  }
}

const FolderListing& FolderNameIndex::listing(const fs::path& folder,
                                              std::optional<host::FileIdentity> known) {
  applyChanges();
  host::FileIdentity identity = known ? *known : host::fileIdentity(folder);
  if (auto kept = kept_.find(folder); kept != kept_.end()) {
    // The path may now lead to another folder (a parent was renamed).
    if (kept->second.identity == identity && identity != host::FileIdentity{}) {
      kept->second.lastUse = ++uses_;
      return kept->second.names;
    }
    drop(kept);
  }
  // The notices run before the folder is read, so nothing done in between
  // is missed.
  std::optional<int> watch = identity != host::FileIdentity{} ? watch_.add(folder) : std::nullopt;
  if (watch && !byWatch_.count(*watch)) {
    if (kept_.size() >= kMaxKept) dropOldest();
    auto kept = kept_.emplace(folder, Kept{{}, identity, *watch, ++uses_}).first;
    byWatch_[*watch] = kept;
    for (const std::string& name : host::folderNames(folder)) kept->second.names.add(name);
    kept->second.names.stamp(newStamp());
    return kept->second.names;
  }
  std::vector<std::string> names = host::folderNames(folder);
  scratch_.clear();
  scratch_.stamp(std::nullopt);
  for (const std::string& name : names) scratch_.add(name);
  return scratch_;
}

}  // namespace platform
