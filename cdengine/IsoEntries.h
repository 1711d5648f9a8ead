#pragma once
// The in-memory tree of the CD session about to be written: one TDEntry per
// directory (the root included) and one TFEntry per file or directory as it
// appears in its parent's list. Entries of a directory keep the order they
// were added in; nothing sorts them.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/core/system_time.h"

namespace cdengine {

struct TDEntry;

struct TFEntry {
  std::string isoName;     // upper-case short name, without ";1"
  std::string longName;    // Joliet name, without ";1"
  std::string sourcePath;  // the file on the hard disk; empty for directories and imports
  bool imported = false;   // the data already lies on the disc
  platform::SystemTime date;
  uint64_t isoSize = 0;          // bytes; a directory's ISO records for a directory
  uint64_t jolietSize = 0;       // bytes; a directory's Joliet records for a directory
  uint32_t isoLocation = 0;      // new file: offset in the file area; import: absolute
  uint32_t jolietLocation = 0;   // directory: its offset in the directory area
  uint32_t attributes = 0;       // Windows attributes: 16 directory, 2 hidden
  TDEntry* directory = nullptr;  // the directory's own entry, for a directory

  bool isDirectory() const { return directory != nullptr; }
  bool hidden() const { return (attributes & 2u) != 0; }
  // A file whose data the new session writes.
  bool isNewData() const { return !isDirectory() && !imported && isoSize != 0; }
};

struct TDEntry {
  std::string isoName;
  std::string longName;
  uint64_t isoSize = 0;           // bytes, a multiple of 2048
  uint64_t jolietSize = 0;        // bytes, a multiple of 2048
  std::string pathKey;            // upper-cased long-name path from the root, "\" for the root
  uint32_t isoOffset = 0;         // sectors into the ISO directory area
  uint32_t jolietOffset = 0;      // sectors into the Joliet directory area
  uint8_t level = 1;              // 1 for the root
  uint32_t number = 0;            // 1-based position in path-table order
  TDEntry* parent = nullptr;      // the root is its own parent
  std::vector<TFEntry*> entries;  // in the order they were added
  // Lookups over `entries`, so that entering a file costs the same in a
  // crowded directory: files by upper-cased long name, and the ISO names
  // files and directories take.
  std::unordered_map<std::string, TFEntry*> filesByName;
  std::unordered_set<std::string> fileIsoNames;
  std::unordered_set<std::string> directoryIsoNames;
};

}  // namespace cdengine
