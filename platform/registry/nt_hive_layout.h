#pragma once
// Field offsets, signatures and limits of the NT "regf" hive file, shared by
// the hive reader and writer. Offsets of record fields count from the start of
// the record, i.e. 4 bytes after a cell's size field.

#include <cstddef>
#include <cstdint>

namespace platform::registry::nt_hive {

constexpr uint32_t kNil = 0xFFFFFFFF;
constexpr size_t kBaseBlockSize = 4096;
constexpr size_t kBinGranularity = 4096;
constexpr size_t kBinHeaderSize = 32;
constexpr size_t kCellAlignment = 8;
constexpr size_t kCellHeaderSize = 4;

// Base block.
constexpr size_t kBaseSequence1 = 4;
constexpr size_t kBaseSequence2 = 8;
constexpr size_t kBaseLastWritten = 12;
constexpr size_t kBaseMajor = 20;
constexpr size_t kBaseMinor = 24;
constexpr size_t kBaseFileType = 28;
constexpr size_t kBaseFileFormat = 32;
constexpr size_t kBaseRootCell = 36;
constexpr size_t kBaseBinsSize = 40;
constexpr size_t kBaseClustering = 44;
constexpr size_t kBaseFileName = 48;
constexpr size_t kBaseFileNameBytes = 64;
constexpr size_t kBaseChecksum = 508;

// hbin header.
constexpr size_t kBinOffset = 4;
constexpr size_t kBinSize = 8;
constexpr size_t kBinTimestamp = 20;

// nk record.
constexpr size_t kKeyFlags = 2;
constexpr size_t kKeyLastWritten = 4;
constexpr size_t kKeyParent = 16;
constexpr size_t kKeySubkeyCount = 20;
constexpr size_t kKeyVolatileSubkeyCount = 24;
constexpr size_t kKeySubkeyList = 28;
constexpr size_t kKeyVolatileSubkeyList = 32;
constexpr size_t kKeyValueCount = 36;
constexpr size_t kKeyValueList = 40;
constexpr size_t kKeySecurity = 44;
constexpr size_t kKeyClassName = 48;
constexpr size_t kKeyMaxSubkeyNameBytes = 52;
constexpr size_t kKeyMaxSubkeyClassBytes = 56;
constexpr size_t kKeyMaxValueNameBytes = 60;
constexpr size_t kKeyMaxValueDataBytes = 64;
constexpr size_t kKeyNameLength = 72;
constexpr size_t kKeyClassLength = 74;
constexpr size_t kKeyName = 76;

constexpr uint16_t kKeyHiveEntry = 0x0004;
constexpr uint16_t kKeyNoDelete = 0x0008;
constexpr uint16_t kKeyCompressedName = 0x0020;

// vk record.
constexpr size_t kValueNameLength = 2;
constexpr size_t kValueDataLength = 4;
constexpr size_t kValueData = 8;
constexpr size_t kValueType = 12;
constexpr size_t kValueFlags = 16;
constexpr size_t kValueName = 20;

constexpr uint16_t kValueCompressedName = 0x0001;
constexpr uint32_t kValueDataInline = 0x80000000;
constexpr uint32_t kInlineDataMax = 4;

// Subkey lists: {signature, count} followed by the entries.
constexpr size_t kListCount = 2;
constexpr size_t kListEntries = 4;

// db record and its segments (hive versions 1.4 and later).
constexpr size_t kBigDataSegmentCount = 2;
constexpr size_t kBigDataSegmentList = 4;
constexpr size_t kBigDataRecordSize = 8;
constexpr uint32_t kBigDataSegmentBytes = 16344;
constexpr uint32_t kFirstMinorWithBigData = 4;
constexpr uint32_t kFirstMinorWithHashLeaves = 5;

// sk record.
constexpr size_t kSecurityFlink = 4;
constexpr size_t kSecurityBlink = 8;
constexpr size_t kSecurityRefCount = 12;
constexpr size_t kSecurityLength = 16;
constexpr size_t kSecurityDescriptor = 20;

inline uint16_t readU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t readU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t readU64(const uint8_t* p) {
  return static_cast<uint64_t>(readU32(p)) | (static_cast<uint64_t>(readU32(p + 4)) << 32);
}
inline void writeU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void writeU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void writeU64(uint8_t* p, uint64_t v) {
  writeU32(p, static_cast<uint32_t>(v));
  writeU32(p + 4, static_cast<uint32_t>(v >> 32));
}

// XOR of the first 127 dwords of the base block, with 0 and 0xFFFFFFFF
// replaced by 1 and 0xFFFFFFFE as the loader expects.
uint32_t baseBlockChecksum(const uint8_t* baseBlock);
// The plain XOR, before that replacement (some readers compare this one).
uint32_t baseBlockXor(const uint8_t* baseBlock);

}  // namespace platform::registry::nt_hive
