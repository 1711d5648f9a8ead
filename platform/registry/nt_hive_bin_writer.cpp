#include "platform/registry/nt_hive_bin_writer.h"

#include <cstring>
#include <map>

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
  const size_t cellSize = roundUp(recordSize + kCellHeaderSize, kCellAlignment);
  auto space = room_.lower_bound(cellSize);
  if (space == room_.end()) space = openBin(cellSize);
  const auto [left, at] = *space;
  room_.erase(space);
  if (left > cellSize) room_.emplace(left - cellSize, at + cellSize);
  writeU32(file_.data() + at, 0u - static_cast<uint32_t>(cellSize));
  return static_cast<uint32_t>(at - kBinsStart);
}

std::multimap<size_t, size_t>::iterator HiveBinWriter::openBin(size_t cellSize) {
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
  return room_.emplace(binSize - kBinHeaderSize, start + kBinHeaderSize);
}

std::vector<uint8_t> HiveBinWriter::finish() {
  // What is left of each bin becomes one free cell, so that cells tile every bin.
  for (const auto& [left, at] : room_) writeU32(file_.data() + at, static_cast<uint32_t>(left));
  room_.clear();
  return std::move(file_);
}

}  // namespace platform::registry::nt_hive
