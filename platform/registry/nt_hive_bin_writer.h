#pragma once
// Lays cells out in hive bins for a hive being written: cells are placed one
// after another, 8-byte aligned, in 4 KiB bins; a cell that does not fit in the
// current bin closes it (its rest becomes one free cell) and opens a new bin,
// larger than 4 KiB when the cell needs it.

#include <cstddef>
#include <cstdint>
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
  void closeBin();
  void openBin(size_t cellSize);

  // The bins follow the base block; building them in the file's own buffer
  // saves copying them behind it.
  static constexpr size_t kBinsStart = kBaseBlockSize;

  uint64_t timestamp_;
  std::vector<uint8_t> file_ = std::vector<uint8_t>(kBinsStart, 0);
  size_t next_ = kBinsStart;  // file offset of the next cell
};

}  // namespace platform::registry::nt_hive
