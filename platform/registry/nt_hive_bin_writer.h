#pragma once
// Lays cells out in hive bins for a hive being written: cells are placed one
// after another, 8-byte aligned, in 4 KiB bins; a cell that does not fit in the
// current bin closes it (its rest becomes one free cell) and opens a new bin,
// larger than 4 KiB when the cell needs it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::registry::nt_hive {

class HiveBinWriter {
 public:
  // `timestamp` goes into the first bin's header (a copy of the base block's).
  explicit HiveBinWriter(uint64_t timestamp) : timestamp_(timestamp) {}

  // Allocates a zeroed cell for a record of `recordSize` bytes and returns
  // its cell offset.
  uint32_t allocate(size_t recordSize);
  // The record of an allocated cell; valid until the next allocate().
  uint8_t* record(uint32_t cellOffset) { return bins_.data() + cellOffset + 4; }
  // Closes the last bin and hands over the hive bins data.
  std::vector<uint8_t> finish();

 private:
  void closeBin();
  void openBin(size_t cellSize);

  uint64_t timestamp_;
  std::vector<uint8_t> bins_;
  size_t next_ = 0;  // where the next cell goes
};

}  // namespace platform::registry::nt_hive
