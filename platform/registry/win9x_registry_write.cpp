#include "platform/registry/win9x_registry_write.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/core/codepage.h"
#include "platform/registry/win9x_registry_layout.h"

namespace platform::registry {
namespace {

using namespace win9x;

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr size_t kFreeRecordSize = key_record::kHeaderSize;
// The largest key record that still leaves a 64 KB block room for its header
// and a free record.
constexpr size_t kMaxRecordSize = kMaxBlockSize - data_block::kHeaderSize - kFreeRecordSize;
constexpr size_t kMaxBlocks = kNoId;  // block numbers 0..0xFFFE; 0xFFFF marks the root

size_t roundUp(size_t value, size_t unit) {
  return (value + unit - 1) / unit * unit;
}

// One key of the tree in the order it is written (pre-order, root first).
struct FlatKey {
  const RegistryKey* key = nullptr;
  std::string ansiName;
  size_t parent = kNone;
  size_t firstChild = kNone;
  size_t lastChild = kNone;
  size_t nextSibling = kNone;
  size_t entryOffset = 0;  // in the key tree section
  size_t recordSize = 0;   // 0 when the key has no data record (a plain root)
  uint16_t block = kNoId;
  uint16_t id = kNoId;
};

// A data block being filled: its keys (indexes into the flat list) and the
// bytes they use, header included.
struct BlockPlan {
  std::vector<size_t> keys;
  size_t used = data_block::kHeaderSize;
  size_t size() const { return roundUp(used + kFreeRecordSize, key_tree::kPageSize); }
};

class Win9xRegistryWriter {
 public:
  explicit Win9xRegistryWriter(const RegistryTree& tree) {
    if (tree.stringEncoding != StringEncoding::Ansi)
      fail("its strings are UTF-16; Windows 9x registry files hold ANSI strings");
    flatten(tree.root);
    placeKeyEntries();
    placeRecords();
  }

  std::vector<uint8_t> write() {
    size_t total = key_tree::kFileOffset + keyTreeSize_;
    for (const auto& block : blocks_) total += block.size();
    out_.assign(total, 0);
    writeKeyTree();
    size_t offset = key_tree::kFileOffset + keyTreeSize_;
    for (size_t number = 0; number < blocks_.size(); ++number) {
      writeDataBlock(offset, number);
      offset += blocks_[number].size();
    }
    writeFileHeader();
    return std::move(out_);
  }

 private:
  [[noreturn]] static void fail(const std::string& why) {
    throw Win9xRegistryWriteError("Cannot write the Windows 9x registry file: " + why);
  }

  std::string pathOf(size_t index) const {
    std::string path;
    for (; index != 0 && index != kNone; index = keys_[index].parent)
      path = keys_[index].key->name + (path.empty() ? "" : "\\" + path);
    return path.empty() ? "(root)" : path;
  }

  // Converts a name to Windows-1252, refusing names that do not survive it.
  std::string ansiName(const std::string& name, const char* what, size_t keyIndex) const {
    std::string ansi = utf8ToAnsi(name);
    if (ansiToUtf8(ansi) != name)
      fail(std::string(what) + " '" + name + "' of key " + pathOf(keyIndex) +
           " has characters outside Windows-1252");
    return ansi;
  }

  // Lists the keys in pre-order without recursion; each key's subkeys keep
  // their order, which is the order Windows lists them in.
  void flatten(const RegistryKey& root) {
    struct Pending {
      const RegistryKey* key;
      size_t parent;
      size_t depth;
    };
    std::vector<Pending> pending{{&root, kNone, 0}};
    while (!pending.empty()) {
      Pending next = pending.back();
      pending.pop_back();
      size_t index = keys_.size();
      keys_.push_back(FlatKey{});
      FlatKey& flat = keys_.back();
      flat.key = next.key;
      flat.parent = next.parent;
      if (next.parent != kNone) {
        FlatKey& parent = keys_[next.parent];
        (parent.firstChild == kNone ? parent.firstChild : keys_[parent.lastChild].nextSibling) =
            index;
        parent.lastChild = index;
        flat.ansiName = utf8ToAnsi(next.key->name);  // checked with its siblings
        flat.recordSize = recordSizeOf(index);
      } else if (!next.key->values.empty() || !next.key->name.empty()) {
        // A saved key's root keeps its name and values in a data record.
        flat.ansiName = ansiName(next.key->name, "the name", index);
        flat.recordSize = recordSizeOf(index);
      }
      checkSubkeyNames(index);
      const auto& subkeys = next.key->subkeys;
      if (!subkeys.empty() && next.depth + 1 > kMaxKeyDepth)
        fail("key " + pathOf(index) + " is nested deeper than " + std::to_string(kMaxKeyDepth) +
             " keys");
      for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it)
        pending.push_back({&*it, index, next.depth + 1});
    }
  }

  void checkSubkeyNames(size_t index) const {
    std::unordered_set<std::string> seen;
    for (const auto& subkey : keys_[index].key->subkeys) {
      if (subkey.name.empty()) fail("a subkey of " + pathOf(index) + " has an empty name");
      if (subkey.name.find('\\') != std::string::npos)
        fail("the key name '" + subkey.name + "' under " + pathOf(index) + " holds a backslash");
      if (!seen.insert(ansiUpper(ansiName(subkey.name, "the subkey name", index))).second)
        fail("key " + pathOf(index) + " has two subkeys named '" + subkey.name + "'");
    }
  }

  // Size of a key's data record (header, name, values); checks the value names.
  size_t recordSizeOf(size_t index) const {
    const FlatKey& flat = keys_[index];
    size_t size = key_record::kHeaderSize + flat.ansiName.size();
    std::unordered_set<std::string> seen;
    for (const auto& value : flat.key->values) {
      std::string name = ansiName(value.name, "the value name", index);
      if (!seen.insert(ansiUpper(name)).second)
        fail("key " + pathOf(index) + " has two values named '" + value.name + "'");
      size += value_record::kHeaderSize + name.size() + value.data.size();
    }
    if (size > kMaxRecordSize)
      fail("key " + pathOf(index) + " holds " + std::to_string(size) +
           " bytes of names and values; a key can hold at most " + std::to_string(kMaxRecordSize));
    return size;
  }

  // Key entries in pre-order, each inside its page, then one free entry.
  void placeKeyEntries() {
    size_t offset = key_tree::kHeaderSize;
    for (auto& flat : keys_) {
      flat.entryOffset = keyEntrySlotAt(offset);
      offset = flat.entryOffset + key_entry::kSize;
    }
    freeEntryOffset_ = keyEntrySlotAt(offset);
    keyTreeSize_ = std::max(key_tree::kFirstPageSize,
                            roundUp(freeEntryOffset_ + key_entry::kSize, key_tree::kPageSize));
  }

  // Fills blocks in key order: a new block when 255 ids are used or the
  // next record would take the block past 64 KB. The root has a record only
  // when it has a name or values (a key saved to a file of its own).
  void placeRecords() {
    blocks_.emplace_back();
    for (size_t index = 0; index < keys_.size(); ++index) {
      FlatKey& flat = keys_[index];
      if (flat.recordSize == 0) continue;
      if (blocks_.back().keys.size() == kMaxKeysPerBlock ||
          blocks_.back().used + flat.recordSize + kFreeRecordSize > kMaxBlockSize) {
        if (blocks_.size() == kMaxBlocks) fail("the tree has more keys than the file can number");
        blocks_.emplace_back();
      }
      BlockPlan& block = blocks_.back();
      flat.block = static_cast<uint16_t>(blocks_.size() - 1);
      flat.id = static_cast<uint16_t>(block.keys.size());
      block.keys.push_back(index);
      block.used += flat.recordSize;
    }
  }

  void put16(size_t at, size_t value) {
    out_[at] = static_cast<uint8_t>(value);
    out_[at + 1] = static_cast<uint8_t>(value >> 8);
  }

  void put32(size_t at, size_t value) {
    for (size_t i = 0; i < 4; ++i) out_[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }

  void putBytes(size_t at, const void* bytes, size_t length) {
    if (length)
      std::copy_n(static_cast<const uint8_t*>(bytes), length,
                  out_.begin() + static_cast<std::ptrdiff_t>(at));
  }

  // Stores the value that makes the structure's dwords sum to 0.
  void sealChecksum(size_t offset, size_t length, size_t checksumField) {
    put32(offset + checksumField, 0);
    put32(offset + checksumField, 0u - sumOfDwords(out_.data() + offset, length));
  }

  uint32_t entryLink(size_t index) const {
    return index == kNone ? kNil : static_cast<uint32_t>(keys_[index].entryOffset);
  }

  void writeKeyTree() {
    const size_t base = key_tree::kFileOffset;
    for (const auto& flat : keys_) {
      const size_t entry = base + flat.entryOffset;
      put32(entry + key_entry::kInUse, 0);
      put32(entry + key_entry::kHash, nameHash(flat.ansiName));
      put32(entry + key_entry::kNextFree, kNil);
      put32(entry + key_entry::kParent, entryLink(flat.parent));
      put32(entry + key_entry::kFirstChild, entryLink(flat.firstChild));
      put32(entry + key_entry::kNextSibling, entryLink(flat.nextSibling));
      put16(entry + key_entry::kId, flat.id);
      put16(entry + key_entry::kBlock, flat.block);
    }
    const size_t freeEntry = base + freeEntryOffset_;
    put32(freeEntry + key_entry::kInUse, key_entry::kFreeMarker);
    put32(freeEntry + key_entry::kHash, keyTreeSize_ - freeEntryOffset_);
    put32(freeEntry + key_entry::kNextFree, kNil);

    putBytes(base + key_tree::kSignature, "RGKN", 4);
    put32(base + key_tree::kSize, keyTreeSize_);
    put32(base + key_tree::kRootOffset, key_tree::kHeaderSize);
    put32(base + key_tree::kFreeOffset, freeEntryOffset_);
    put32(base + key_tree::kFlags, key_tree::kFlagsValue);
    sealChecksum(base, keyTreeSize_, key_tree::kChecksum);
  }

  size_t writeKeyRecord(size_t at, const FlatKey& flat) {
    put32(at + key_record::kRecordSize, flat.recordSize);
    put16(at + key_record::kId, flat.id);
    put16(at + key_record::kBlock, flat.block);
    put32(at + key_record::kUsedSize, flat.recordSize);
    put16(at + key_record::kNameLength, flat.ansiName.size());
    put16(at + key_record::kValueCount, flat.key->values.size());
    size_t offset = at + key_record::kHeaderSize;
    putBytes(offset, flat.ansiName.data(), flat.ansiName.size());
    offset += flat.ansiName.size();
    for (const auto& value : flat.key->values) {
      const std::string name = utf8ToAnsi(value.name);
      put32(offset + value_record::kType, value.type);
      put16(offset + value_record::kNameLength, name.size());
      put16(offset + value_record::kDataLength, value.data.size());
      offset += value_record::kHeaderSize;
      putBytes(offset, name.data(), name.size());
      offset += name.size();
      putBytes(offset, value.data.data(), value.data.size());
      offset += value.data.size();
    }
    return offset;
  }

  void writeDataBlock(size_t offset, size_t number) {
    const BlockPlan& block = blocks_[number];
    size_t at = offset + data_block::kHeaderSize;
    for (size_t index : block.keys) at = writeKeyRecord(at, keys_[index]);
    const size_t freeSize = block.size() - block.used;
    put32(at + key_record::kRecordSize, freeSize);
    put16(at + key_record::kId, kNoId);
    put16(at + key_record::kBlock, kNoId);
    put32(at + key_record::kUsedSize, kNil);

    putBytes(offset + data_block::kSignature, "RGDB", 4);
    put32(offset + data_block::kSize, block.size());
    put32(offset + data_block::kUnusedSize, freeSize);
    put16(offset + data_block::kFlags, data_block::kFlagsValue);
    put16(offset + data_block::kBlockNumber, number);
    put32(offset + data_block::kFreeOffset, block.used);
    put16(offset + data_block::kMaxId, block.keys.empty() ? 0 : block.keys.size() - 1);
    put16(offset + data_block::kFirstFreeId, block.keys.size());
    sealChecksum(offset, block.size(), data_block::kChecksum);
  }

  void writeFileHeader() {
    putBytes(file_header::kSignature, "CREG", 4);
    put32(file_header::kVersion, file_header::kVersionValue);
    put32(file_header::kFirstBlockOffset, key_tree::kFileOffset + keyTreeSize_);
    put16(file_header::kBlockCount, blocks_.size());
    put16(file_header::kFlags, kChecksumValid);
    put32(file_header::kUnknown, file_header::kUnknownValue);
    sealChecksum(0, file_header::kSize, file_header::kChecksum);
  }

  std::vector<FlatKey> keys_;
  std::vector<BlockPlan> blocks_;
  size_t freeEntryOffset_ = 0;
  size_t keyTreeSize_ = 0;
  std::vector<uint8_t> out_;
};

}  // namespace

std::vector<uint8_t> writeWin9xRegistry(const RegistryTree& tree) {
  return Win9xRegistryWriter(tree).write();
}

}  // namespace platform::registry
