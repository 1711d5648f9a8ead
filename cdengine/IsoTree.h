#pragma once
// The builder's tables: the directory table in creation order (the root at
// index 0), the file table in creation order, their limits, and the
// operations that change the tree. Every change clears the dirty flag the
// header builder sets. Directories are found by path key and entries by name
// through indexes, so a session of 65535 files in one directory builds in
// linear time.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cdengine/IsoEntries.h"

namespace cdengine {

// OnDebugMessage's types.
enum class DebugType { Command = 0, Info = 1, Warning = 3, Error = 4 };
using DebugMessage = std::function<void(const std::string& text, DebugType type)>;

// What the tree takes of one file: from the machine's directory search for a
// new file, from a directory record for an imported one.
struct FileFacts {
  std::string longName;
  std::string shortName;  // the 8.3 alias; empty when the long name is 8.3 itself
  uint64_t size = 0;
  uint32_t attributes = 0;
  platform::SystemTime date;
  std::string sourcePath;            // empty for an imported file
  std::optional<uint32_t> location;  // an imported file's absolute sector
};

// What entering a file gave.
enum class EnterResult { Entered, Refused };

class IsoTree {
 public:
  explicit IsoTree(DebugMessage debug = {});

  // Frees the tree, sets the limits and makes the root.
  void clear(uint32_t maxFiles, uint32_t maxDirectories);

  TDEntry& root() { return *directories_.front(); }
  // The directory whose path key is `path` upper-cased without a final "\";
  // "" and "\" give the root.
  TDEntry* findDir(std::string_view path);
  // The directory of `path`, made with every missing parent first; nullptr
  // when the directory table is full or a name cannot be stored. `now` dates
  // the new directories' entries.
  TDEntry* createDir(std::string_view path, const platform::SystemTime& now);
  // Enters a file into `directory` (the builder's entering rules: the "."
  // added to a long name without one, the short name, replacing an entry of
  // the same name when `replace`).
  EnterResult enterFile(TDEntry& directory, FileFacts facts, bool replace);
  // Removes the directory of `path` with everything below it; the root is
  // only emptied. False when there is no such directory.
  bool removeDir(std::string_view path);

  uint32_t dirCount() const { return static_cast<uint32_t>(directories_.size() - 1); }
  uint32_t fileCount() const { return static_cast<uint32_t>(files_.size()); }
  // Sectors of the file area: every new non-empty file rounded up to whole
  // sectors, summed over the tree as it is now.
  uint64_t fileAreaSectors() const;

  const std::vector<std::unique_ptr<TDEntry>>& directories() const { return directories_; }
  const std::vector<std::unique_ptr<TFEntry>>& files() const { return files_; }

  // Cleared by every change; the header builder sets it.
  bool dirty = false;

 private:
  TDEntry* createChild(TDEntry& parent, const std::string& name, const platform::SystemTime& now);
  TFEntry* entryNamed(TDEntry& directory, std::string_view longName);
  void debug(const std::string& text, DebugType type) const;

  DebugMessage debug_;
  uint32_t maxFiles_ = 65535;
  uint32_t maxDirectories_ = 8191;
  std::vector<std::unique_ptr<TDEntry>> directories_;
  std::vector<std::unique_ptr<TFEntry>> files_;
  std::unordered_map<std::string, TDEntry*> byPathKey_;
};

// A long name of this many characters or more is refused.
inline constexpr size_t kLongNameLimit = 110;

}  // namespace cdengine
