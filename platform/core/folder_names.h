#pragma once
// Finding entries of host folders by their ANSI names without regard to
// case, as Windows finds them. A folder asked about is read once and then
// kept up to date from the kernel's change notices
// (platform/host/host_folder_watch.h), so that making thousands of files in
// one folder does not read the folder thousands of times. The folders asked
// about last are kept; a folder where the host gives no complete notices is
// read afresh for each question. One thread at a time, like the machine's
// alias stores.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/host/host_files.h"
#include "platform/host/host_folder_watch.h"

namespace platform {

// A stamp no listing holds yet.
uint64_t newListingStamp();

// The names of one folder.
class FolderListing {
 public:
  void add(const std::string& hostName);
  void remove(const std::string& hostName);
  void clear() { byKey_.clear(); }
  // The host name (UTF-8) of an entry whose ANSI name equals `ansiName`
  // without case; the first one listed when the host holds several.
  std::optional<std::string> find(std::string_view ansiName) const;
  bool has(std::string_view ansiName) const { return find(ansiName).has_value(); }
  // For a listing kept up to date: a number that changes whenever a name
  // leaves it (never the same for two listings). None for a listing read
  // afresh.
  std::optional<uint64_t> removalStamp() const { return stamp_; }
  void stamp(std::optional<uint64_t> value) { stamp_ = value; }

 private:
  std::optional<uint64_t> stamp_;
  std::unordered_map<std::string, std::vector<std::string>> byKey_;  // ANSI upper case
};

class FolderNameIndex {
 public:
  // What the folder holds now (nothing when it cannot be read). The listing
  // stays valid until the next call. `identity`: the folder's, when the
  // caller has just found it (saves asking the host again).
  const FolderListing& listing(const std::filesystem::path& folder,
                               std::optional<host::FileIdentity> identity = std::nullopt);
  std::optional<std::string> find(const std::filesystem::path& folder, std::string_view ansiName,
                                  std::optional<host::FileIdentity> identity = std::nullopt) {
    return listing(folder, identity).find(ansiName);
  }

  // Folders kept at once; the one asked about longest ago goes first.
  static constexpr size_t kMaxKept = 64;

 private:
  struct Kept {
    FolderListing names;
    host::FileIdentity identity;
    int watch = 0;
    uint64_t lastUse = 0;
  };
  using KeptMap = std::map<std::filesystem::path, Kept>;
  void applyChanges();
  void drop(KeptMap::iterator kept);
  void dropOldest();

  host::FolderWatch watch_;
  KeptMap kept_;
  std::map<int, KeptMap::iterator> byWatch_;
  FolderListing scratch_;
  uint64_t uses_ = 0;
};

}  // namespace platform
