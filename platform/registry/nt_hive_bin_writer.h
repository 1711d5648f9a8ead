#pragma once
// Lays cells out in hive bins for a hive being written: cells are 8-byte
// aligned in 4 KiB bins (larger when a cell needs it). Each cell goes into the
// free space, of any bin so far, that fits it most closely, and a new bin is
// opened only when none does: the bins' unused tails stay small, so a
// rewritten hive comes close to the size its live cells need. What is left
// of a bin at the end is one free cell.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/registry/nt_hive_layout.h"

namespace platform::registry::nt_hive {

class HiveBinWriter {
 public:
  // `timestamp` goes into the first bin's header (a copy of the base block's).
  explicit HiveBinWriter(uint64_t timestamp) : timestamp_(timestamp) {}

  // Allocates a zeroed cell for a record of `recordSize` bytes and returns
  // its cell offset.
  uint32_t allocate(size_t recordSize);
  // The record of an allocated cell; valid until the next allocate().
  uint8_t* record(uint32_t cellOffset) { return file_.data() + kBinsStart + cellOffset + 4; }
  // Closes the last bin and hands over the whole file: a zeroed base block
  // for the caller to fill, then the hive bins.
  std::vector<uint8_t> finish();
  // Size of the hive bins so far.
  uint32_t binsSize() const { return static_cast<uint32_t>(file_.size() - kBinsStart); }

 private:
  // Appends a bin for a cell of `cellSize` bytes; returns its free space.
  std::multimap<size_t, size_t>::iterator openBin(size_t cellSize);

  // The bins follow the base block; building them in the file's own buffer
  // saves copying them behind it.
  static constexpr size_t kBinsStart = kBaseBlockSize;

  uint64_t timestamp_;
  std::vector<uint8_t> file_ = std::vector<uint8_t>(kBinsStart, 0);
  // Free space in the bins: bytes -> file offset, smallest first.
  std::multimap<size_t, size_t> room_;
};

}  // namespace platform::registry::nt_hive
