#include "platform/registry/nt_hive_bin_writer.h"

#include <cstring>

#include "platform/core/errors.h"
#include "platform/registry/nt_hive_layout.h"

namespace platform::registry::nt_hive {
namespace {

// Cell sizes are signed 32-bit numbers; the bins must stay addressable too.
constexpr size_t kMaxCellSize = 0x7FFF0000;

size_t roundUp(size_t value, size_t unit) {
  return (value + unit - 1) / unit * unit;
}

}  // namespace

uint32_t HiveBinWriter::allocate(size_t recordSize) {
  if (recordSize > kMaxCellSize) throw corvasta::Error("Registry record too large for a hive cell");
  size_t cellSize = roundUp(recordSize + kCellHeaderSize, kCellAlignment);
  if (bins_.empty() || next_ + cellSize > bins_.size()) {
    closeBin();
    openBin(cellSize);
  }
  auto offset = static_cast<uint32_t>(next_);
  writeU32(bins_.data() + offset, 0u - static_cast<uint32_t>(cellSize));
  next_ += cellSize;
  return offset;
}

void HiveBinWriter::closeBin() {
  if (next_ < bins_.size())
    writeU32(bins_.data() + next_, static_cast<uint32_t>(bins_.size() - next_));
  next_ = bins_.size();
}

void HiveBinWriter::openBin(size_t cellSize) {
  size_t start = bins_.size();
  size_t binSize = roundUp(cellSize + kBinHeaderSize, kBinGranularity);
  if (start + binSize > kMaxCellSize)
    throw corvasta::Error("Registry key tree too large for a hive");
  bins_.resize(start + binSize, 0);
  uint8_t* header = bins_.data() + start;
  std::memcpy(header, "hbin", 4);
  writeU32(header + kBinOffset, static_cast<uint32_t>(start));
  writeU32(header + kBinSize, static_cast<uint32_t>(binSize));
  if (start == 0) writeU64(header + kBinTimestamp, timestamp_);
  next_ = start + kBinHeaderSize;
}

std::vector<uint8_t> HiveBinWriter::finish() {
  closeBin();
  return std::move(bins_);
}

}  // namespace platform::registry::nt_hive
