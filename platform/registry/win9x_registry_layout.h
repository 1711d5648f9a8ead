#pragma once
// The layout of Windows 95/98/ME registry files (system.dat, user.dat,
// classes.dat), shared by their reader and writer.
//
// A file is a 32-byte "CREG" header, then the "RGKN" section holding the key
// tree (28-byte entries linked by parent, first-child and next-sibling
// offsets), then "RGDB" data blocks holding each key's name and values. A key
// entry and its data record are joined by a (block number, key id) pair.
// Every number is little-endian; "nil" links are all ones.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform::registry::win9x {

constexpr uint32_t kNil = 0xFFFFFFFF;
constexpr uint16_t kNoId = 0xFFFF;        // the root entry's id and block, and free records'
constexpr uint32_t kChecksumValid = 0x4;  // flag bit: the structure's checksum is valid

// The file header at offset 0.
namespace file_header {
constexpr size_t kSize = 0x20;
constexpr size_t kSignature = 0x00;
constexpr size_t kVersion = 0x04;
constexpr size_t kFirstBlockOffset = 0x08;
constexpr size_t kChecksum = 0x0C;
constexpr size_t kBlockCount = 0x10;  // 16 bits
constexpr size_t kFlags = 0x12;       // 16 bits
constexpr size_t kUnknown = 0x14;
constexpr uint32_t kVersionValue = 0x00010000;
constexpr uint32_t kUnknownValue = 0x00010000;
}  // namespace file_header

// The key tree section; it starts right after the file header, and every
// offset stored in it is relative to its own start.
namespace key_tree {
constexpr size_t kFileOffset = 0x20;
constexpr size_t kHeaderSize = 0x20;
constexpr size_t kSignature = 0x00;
constexpr size_t kSize = 0x04;
constexpr size_t kRootOffset = 0x08;
constexpr size_t kFreeOffset = 0x0C;
constexpr size_t kFlags = 0x10;
constexpr size_t kChecksum = 0x14;
constexpr size_t kFirstPageSize = 0x2000;  // also the smallest section size
constexpr size_t kPageSize = 0x1000;
constexpr uint32_t kFlagsValue = 0xD;
}  // namespace key_tree

// A 28-byte key entry, or the head of a free run, in the key tree section.
namespace key_entry {
constexpr size_t kSize = 28;
constexpr size_t kInUse = 0x00;  // 0 for a key; kFreeMarker for a free run
constexpr size_t kHash = 0x04;   // the free run's size in a free entry
constexpr size_t kNextFree = 0x08;
constexpr size_t kParent = 0x0C;
constexpr size_t kFirstChild = 0x10;
constexpr size_t kNextSibling = 0x14;
constexpr size_t kId = 0x18;     // 16 bits
constexpr size_t kBlock = 0x1A;  // 16 bits
constexpr uint32_t kFreeMarker = 0x80000000;
}  // namespace key_entry

// The header of an RGDB data block.
namespace data_block {
constexpr size_t kHeaderSize = 0x20;
constexpr size_t kSignature = 0x00;
constexpr size_t kSize = 0x04;
constexpr size_t kUnusedSize = 0x08;
constexpr size_t kFlags = 0x0C;        // 16 bits
constexpr size_t kBlockNumber = 0x0E;  // 16 bits
constexpr size_t kFreeOffset = 0x10;
constexpr size_t kMaxId = 0x14;        // 16 bits
constexpr size_t kFirstFreeId = 0x16;  // 16 bits
constexpr size_t kChecksum = 0x1C;
constexpr uint16_t kFlagsValue = 0xD;
}  // namespace data_block

// A key record inside a data block: header, name, then the value records.
namespace key_record {
constexpr size_t kHeaderSize = 0x14;
constexpr size_t kRecordSize = 0x00;  // bytes to the next record
constexpr size_t kId = 0x04;          // 16 bits
constexpr size_t kBlock = 0x06;       // 16 bits
constexpr size_t kUsedSize = 0x08;
constexpr size_t kNameLength = 0x0C;  // 16 bits
constexpr size_t kValueCount = 0x0E;  // 16 bits
}  // namespace key_record

// A value record: header, name, data.
namespace value_record {
constexpr size_t kHeaderSize = 12;
constexpr size_t kType = 0x00;
constexpr size_t kNameLength = 0x08;  // 16 bits
constexpr size_t kDataLength = 0x0A;  // 16 bits
}  // namespace value_record

// Windows lets one key id range over 0..254 in a block.
constexpr size_t kMaxKeysPerBlock = 255;
// Data blocks are kept to 64 KB, the size Windows' own files keep to.
constexpr size_t kMaxBlockSize = 0x10000;
// Key nesting beyond any registry Windows builds; reader and writer refuse it
// so that no file can drive them (or the tree's recursive code) arbitrarily deep.
constexpr size_t kMaxKeyDepth = 512;

// Hash of one key name as stored in its key entry: the sum of the ANSI bytes,
// a-z counted as A-Z, bytes of 0x80 and above left out.
uint32_t nameHash(std::string_view ansiName);

// The sum of a structure's little-endian dwords (a short tail counts as if
// padded with zeros); a valid structure sums to 0 with its checksum included.
uint32_t sumOfDwords(const uint8_t* data, size_t size);

// Key entries never cross a page of the key tree section: the first page is
// 0x2000 bytes (header included), later pages 0x1000. Returns the offset at
// which an entry may be placed at or after `offset`.
size_t keyEntrySlotAt(size_t offset);

}  // namespace platform::registry::win9x
