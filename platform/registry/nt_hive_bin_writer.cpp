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
  if (next_ + cellSize > file_.size()) {
    closeBin();
    openBin(cellSize);
  }
  writeU32(file_.data() + next_, 0u - static_cast<uint32_t>(cellSize));
  auto offset = static_cast<uint32_t>(next_ - kBinsStart);
  next_ += cellSize;
  return offset;
}

void HiveBinWriter::closeBin() {
  if (next_ < file_.size())
    writeU32(file_.data() + next_, static_cast<uint32_t>(file_.size() - next_));
  next_ = file_.size();
}

void HiveBinWriter::openBin(size_t cellSize) {
  size_t start = file_.size();
  size_t binSize = roundUp(cellSize + kBinHeaderSize, kBinGranularity);
  if (binsSize() + binSize > kMaxCellSize)
    throw corvasta::Error("Registry key tree too large for a hive");
  file_.resize(start + binSize, 0);
  uint8_t* header = file_.data() + start;
  std::memcpy(header, "hbin", 4);
  writeU32(header + kBinOffset, static_cast<uint32_t>(start - kBinsStart));
  writeU32(header + kBinSize, static_cast<uint32_t>(binSize));
  if (start == kBinsStart) writeU64(header + kBinTimestamp, timestamp_);
  next_ = start + kBinHeaderSize;
}

std::vector<uint8_t> HiveBinWriter::finish() {
  closeBin();
  return std::move(file_);
}

}  // namespace platform::registry::nt_hive
