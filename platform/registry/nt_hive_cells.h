#pragma once
// The hive bins of an NT hive file as a reader sees them: the bins are walked
// once and every allocated cell is recorded, so any offset found in a record
// can be checked against that set before it is followed. Every access is
// bounds-checked and failures are RegistryFormatErrors that name the file
// offset.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::registry::nt_hive {

// One allocated cell's record (the bytes after the size field).
class CellRecord {
 public:
  CellRecord(const uint8_t* data, uint32_t size, uint32_t cellOffset)
      : data_(data), size_(size), cellOffset_(cellOffset) {}
  uint32_t size() const { return size_; }
  uint32_t cellOffset() const { return cellOffset_; }
  // File offset of a position inside the record, for error messages.
  uint64_t fileOffset(size_t at = 0) const;

  uint16_t u16(size_t at) const;
  uint32_t u32(size_t at) const;
  uint64_t u64(size_t at) const;
  // `count` bytes at `at`; throws when they reach past the record.
  const uint8_t* bytes(size_t at, size_t count) const;
  bool hasSignature(const char (&signature)[3]) const;
  // Throws naming `what` unless the record starts with `signature`.
  void expectSignature(const char (&signature)[3], const char* what) const;

 private:
  const uint8_t* data_;
  uint32_t size_;
  uint32_t cellOffset_;
};

class HiveCells {
 public:
  // `bins` is the hive bins data (file offset 4096 onwards), `binsSize` bytes.
  HiveCells(const uint8_t* bins, uint32_t binsSize);

  uint32_t binsSize() const { return binsSize_; }
  // The allocated cell at `cellOffset`; `what` names the record and
  // `referencedAt` is the file offset of the field that points at it, for
  // errors.
  CellRecord cell(uint32_t cellOffset, const char* what, uint64_t referencedAt) const;
  // The cell whose offset is stored in `from` at `field`.
  CellRecord follow(const CellRecord& from, size_t field, const char* what) const {
    return cell(from.u32(field), what, from.fileOffset(field));
  }
  // Marks a cell as used by one record. Every cell except sk cells belongs to
  // exactly one owner, so a second claim means a loop or a shared list.
  void claim(const CellRecord& record, const char* what);

 private:
  void walkBin(uint32_t binOffset, uint32_t binSize);

  const uint8_t* bins_;
  uint32_t binsSize_;
  std::vector<bool> allocatedStart_;  // one flag per 8-byte slot
  std::vector<bool> claimed_;
};

}  // namespace platform::registry::nt_hive
