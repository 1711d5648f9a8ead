#include "platform/registry/nt_hive_cells.h"

#include <cstring>
#include <string>

#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/registry_error.h"

namespace platform::registry::nt_hive {
namespace {

uint64_t binsFileOffset(uint64_t cellOffset) {
  return kBaseBlockSize + cellOffset;
}

}  // namespace

uint64_t CellRecord::fileOffset(size_t at) const {
  return binsFileOffset(cellOffset_) + kCellHeaderSize + at;
}

const uint8_t* CellRecord::bytes(size_t at, size_t count) const {
  if (at > size_ || count > size_ - at)
    throw RegistryFormatError("Record field beyond the end of its cell", fileOffset(at));
  return data_ + at;
}

uint16_t CellRecord::u16(size_t at) const {
  return readU16(bytes(at, 2));
}
uint32_t CellRecord::u32(size_t at) const {
  return readU32(bytes(at, 4));
}
uint64_t CellRecord::u64(size_t at) const {
  return readU64(bytes(at, 8));
}

bool CellRecord::hasSignature(const char (&signature)[3]) const {
  return size_ >= 2 && std::memcmp(data_, signature, 2) == 0;
}

void CellRecord::expectSignature(const char (&signature)[3], const char* what) const {
  if (!hasSignature(signature))
    throw RegistryFormatError(
        std::string("Bad signature of ") + what + " (expected '" + signature + "')", fileOffset());
}

HiveCells::HiveCells(const uint8_t* bins, uint32_t binsSize)
    : bins_(bins),
      binsSize_(binsSize),
      allocatedStart_(binsSize / kCellAlignment),
      claimed_(binsSize / kCellAlignment) {
  uint32_t offset = 0;
  while (offset < binsSize_) {
    if (std::memcmp(bins_ + offset, "hbin", 4) != 0)
      throw RegistryFormatError("Missing 'hbin' signature", binsFileOffset(offset));
    if (readU32(bins_ + offset + kBinOffset) != offset)
      throw RegistryFormatError("Hive bin records a wrong position", binsFileOffset(offset));
    uint32_t size = readU32(bins_ + offset + kBinSize);
    if (size == 0 || size % kBinGranularity != 0 || size > binsSize_ - offset)
      throw RegistryFormatError("Bad hive bin size " + std::to_string(size),
                                binsFileOffset(offset));
    walkBin(offset, size);
    offset += size;
  }
}

void HiveCells::walkBin(uint32_t binOffset, uint32_t binSize) {
  uint32_t end = binOffset + binSize;
  uint32_t offset = binOffset + kBinHeaderSize;
  while (offset < end) {
    auto raw = static_cast<int32_t>(readU32(bins_ + offset));
    // Negative sizes mark allocated cells; the magnitude counts the size field.
    uint32_t size = raw < 0 ? 0u - static_cast<uint32_t>(raw) : static_cast<uint32_t>(raw);
    if (size < kCellAlignment || size % kCellAlignment != 0 || size > end - offset)
      throw RegistryFormatError("Bad cell size " + std::to_string(raw), binsFileOffset(offset));
    if (raw < 0) allocatedStart_[offset / kCellAlignment] = true;
    offset += size;
  }
}

CellRecord HiveCells::cell(uint32_t cellOffset, const char* what, uint64_t referencedAt) const {
  if (cellOffset % kCellAlignment != 0 || cellOffset >= binsSize_ ||
      !allocatedStart_[cellOffset / kCellAlignment]) {
    std::string where = cellOffset == kNil ? "a missing cell" : "no allocated cell";
    throw RegistryFormatError(std::string("Reference to ") + what + " points at " + where +
                                  " (cell offset " + std::to_string(cellOffset) + ")",
                              referencedAt);
  }
  uint32_t size = 0u - readU32(bins_ + cellOffset);
  return CellRecord(bins_ + cellOffset + kCellHeaderSize, size - kCellHeaderSize, cellOffset);
}

void HiveCells::claim(const CellRecord& record, const char* what) {
  auto slot = record.cellOffset() / kCellAlignment;
  if (claimed_[slot])
    throw RegistryFormatError(std::string("Cell of ") + what + " is referenced twice (loop)",
                              record.fileOffset());
  claimed_[slot] = true;
}

}  // namespace platform::registry::nt_hive
