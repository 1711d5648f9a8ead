#include "platform/registry/win9x_registry_read.h"

#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/registry/registry_error.h"
#include "platform/registry/win9x_registry_layout.h"

namespace platform::registry {
namespace {

using namespace win9x;

class Win9xRegistryReader {
 public:
  Win9xRegistryReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  RegistryTree read() {
    readFileHeader();
    readKeyTreeHeader();
    indexDataBlocks();
    RegistryTree tree;
    tree.stringEncoding = StringEncoding::Ansi;
    tree.root = readKeyTree();
    return tree;
  }

 private:
  // Where a key's data record lies, and whether a key entry already uses it.
  struct DataRecord {
    size_t offset = 0;
    size_t size = 0;
    bool claimed = false;
  };

  // A key read from the tree, with its subkeys still as indexes.
  struct KeyNode {
    size_t entry = 0;  // file offset of the key entry
    size_t depth = 0;
    RegistryKey key;
    std::vector<size_t> children;
  };

  [[noreturn]] void fail(const std::string& what, size_t offset) const {
    throw RegistryFormatError(what, offset);
  }

  void need(size_t offset, size_t length, const char* what) const {
    if (offset > size_ || length > size_ - offset)
      fail(std::string(what) + " runs past the end of the file", offset);
  }

  uint16_t u16(size_t offset) const {
    need(offset, 2, "a field");
    return static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }

  uint32_t u32(size_t offset) const {
    need(offset, 4, "a field");
    return uint32_t{data_[offset]} | uint32_t{data_[offset + 1]} << 8 |
           uint32_t{data_[offset + 2]} << 16 | uint32_t{data_[offset + 3]} << 24;
  }

  std::string ansiText(size_t offset, size_t length) const {
    need(offset, length, "a name");
    return ansiToUtf8(std::string_view(reinterpret_cast<const char*>(data_ + offset), length));
  }

  void expectSignature(size_t offset, const char* signature, const char* what) const {
    need(offset, 4, what);
    if (std::memcmp(data_ + offset, signature, 4) != 0)
      fail(std::string(what) + " lacks its \"" + signature + "\" signature", offset);
  }

  void verifyChecksum(size_t offset, size_t length, uint32_t flags, size_t checksumField,
                      const char* what) const {
    if (!(flags & kChecksumValid)) return;
    if (sumOfDwords(data_ + offset, length) != 0)
      fail(std::string("bad checksum in ") + what, offset + checksumField);
  }

  void readFileHeader() {
    if (size_ < file_header::kSize) fail("file too short for a Windows 9x registry header", 0);
    expectSignature(0, "CREG", "registry file header");
    if (u32(file_header::kVersion) != file_header::kVersionValue)
      fail("unknown registry file version", file_header::kVersion);
    firstBlockOffset_ = u32(file_header::kFirstBlockOffset);
    blockCount_ = u16(file_header::kBlockCount);
    verifyChecksum(0, file_header::kSize, u16(file_header::kFlags), file_header::kChecksum,
                   "registry file header");
  }

  void readKeyTreeHeader() {
    const size_t base = key_tree::kFileOffset;
    expectSignature(base, "RGKN", "key tree section");
    need(base, key_tree::kHeaderSize, "key tree header");
    keyTreeSize_ = u32(base + key_tree::kSize);
    if (keyTreeSize_ < key_tree::kHeaderSize + key_entry::kSize)
      fail("key tree section too small", base + key_tree::kSize);
    if (firstBlockOffset_ != base + keyTreeSize_)
      fail("first data block does not follow the key tree section", file_header::kFirstBlockOffset);
    need(base, keyTreeSize_, "key tree section");
    if (u32(base + key_tree::kRootOffset) != key_tree::kHeaderSize)
      fail("root key entry not at the start of the key tree", base + key_tree::kRootOffset);
    uint32_t freeOffset = u32(base + key_tree::kFreeOffset);
    if (freeOffset != kNil && freeOffset >= keyTreeSize_)
      fail("free key entry offset outside the key tree section", base + key_tree::kFreeOffset);
    verifyChecksum(base, keyTreeSize_, u32(base + key_tree::kFlags), key_tree::kChecksum,
                   "key tree section");
  }

  void indexDataBlocks() {
    size_t offset = firstBlockOffset_;
    for (size_t number = 0; number < blockCount_; ++number) {
      expectSignature(offset, "RGDB", "data block");
      need(offset, data_block::kHeaderSize, "data block header");
      uint32_t blockSize = u32(offset + data_block::kSize);
      if (blockSize < data_block::kHeaderSize)
        fail("data block size too small", offset + data_block::kSize);
      need(offset, blockSize, "data block");
      if (u16(offset + data_block::kBlockNumber) != number)
        fail("data block number out of sequence", offset + data_block::kBlockNumber);
      verifyChecksum(offset, blockSize, u16(offset + data_block::kFlags), data_block::kChecksum,
                     "data block");
      indexRecords(offset, blockSize, static_cast<uint16_t>(number));
      offset += blockSize;
    }
    if (offset != size_) fail("data after the last data block", offset);
  }

  // Records tile the block from its header to its end; free ones carry the
  // id and block 0xFFFF. Records stamped with another block's number are not
  // this block's keys and are left out, as Windows leaves them.
  void indexRecords(size_t blockOffset, size_t blockSize, uint16_t number) {
    const size_t end = blockOffset + blockSize;
    size_t offset = blockOffset + data_block::kHeaderSize;
    while (offset < end) {
      if (end - offset < key_record::kHeaderSize)
        fail("data record header runs past its block", offset);
      uint32_t recordSize = u32(offset + key_record::kRecordSize);
      if (recordSize < key_record::kHeaderSize || recordSize > end - offset)
        fail("data record size does not fit its block", offset + key_record::kRecordSize);
      uint16_t id = u16(offset + key_record::kId), block = u16(offset + key_record::kBlock);
      if (block == number && id != kNoId) {
        auto [it, added] =
            records_.try_emplace(recordKey(block, id), DataRecord{offset, recordSize, false});
        if (!added) fail("two data records with the same key id", offset + key_record::kId);
      }
      offset += recordSize;
    }
  }

  static uint32_t recordKey(uint16_t block, uint16_t id) { return uint32_t{block} << 16 | id; }

  // Checks a link to a key entry and returns the entry's file offset.
  size_t entryAt(uint32_t link, size_t linkField) const {
    if (link < key_tree::kHeaderSize || link > keyTreeSize_ - key_entry::kSize)
      fail("key entry link outside the key tree section", linkField);
    size_t entry = key_tree::kFileOffset + link;
    if (u32(entry + key_entry::kInUse) != 0)
      fail("link to a key entry that is not in use", linkField);
    return entry;
  }

  RegistryKey readKeyRecord(size_t entry, bool isRoot) {
    uint16_t id = u16(entry + key_entry::kId), block = u16(entry + key_entry::kBlock);
    if (id == kNoId && block == kNoId) {
      if (!isRoot) fail("key entry without a data record", entry + key_entry::kId);
      return RegistryKey{};
    }
    auto found = records_.find(recordKey(block, id));
    if (found == records_.end())
      fail("key entry refers to a missing data record", entry + key_entry::kId);
    DataRecord& record = found->second;
    if (record.claimed) fail("two key entries share one data record", entry + key_entry::kId);
    record.claimed = true;
    return parseKeyRecord(record);
  }

  RegistryKey parseKeyRecord(const DataRecord& record) const {
    const size_t start = record.offset;
    uint32_t usedSize = u32(start + key_record::kUsedSize);
    if (usedSize > record.size)
      fail("data record claims more bytes than it holds", start + key_record::kUsedSize);
    const size_t end = start + usedSize;
    size_t nameLength = u16(start + key_record::kNameLength);
    size_t offset = start + key_record::kHeaderSize;
    if (usedSize < key_record::kHeaderSize || nameLength > end - offset)
      fail("key name runs past its data record", start + key_record::kNameLength);
    RegistryKey key;
    key.name = ansiText(offset, nameLength);
    offset += nameLength;
    size_t valueCount = u16(start + key_record::kValueCount);
    key.values.reserve(valueCount);
    for (size_t i = 0; i < valueCount; ++i) {
      if (end - offset < value_record::kHeaderSize) fail("value runs past its data record", offset);
      size_t valueNameLength = u16(offset + value_record::kNameLength);
      size_t dataLength = u16(offset + value_record::kDataLength);
      if (valueNameLength + dataLength > end - offset - value_record::kHeaderSize)
        fail("value runs past its data record", offset);
      RegistryValue value;
      value.type = u32(offset + value_record::kType);
      value.name = ansiText(offset + value_record::kHeaderSize, valueNameLength);
      const uint8_t* bytes = data_ + offset + value_record::kHeaderSize + valueNameLength;
      value.data.assign(bytes, bytes + dataLength);
      key.values.push_back(std::move(value));
      offset += value_record::kHeaderSize + valueNameLength + dataLength;
    }
    return key;
  }

  // Walks the tree through its links without recursion, so that neither deep
  // nor looping trees can exhaust the stack: every entry may be reached once.
  RegistryKey readKeyTree() {
    const size_t rootEntry = key_tree::kFileOffset + key_tree::kHeaderSize;
    if (u32(rootEntry + key_entry::kInUse) != 0) fail("root key entry is not in use", rootEntry);
    if (u32(rootEntry + key_entry::kParent) != kNil)
      fail("root key entry has a parent", rootEntry + key_entry::kParent);
    if (u32(rootEntry + key_entry::kNextSibling) != kNil)
      fail("root key entry has a sibling", rootEntry + key_entry::kNextSibling);

    std::vector<KeyNode> nodes;
    nodes.push_back(KeyNode{rootEntry, 0, readKeyRecord(rootEntry, true), {}});
    std::unordered_set<size_t> visited{rootEntry};
    std::vector<size_t> pending{0};
    while (!pending.empty()) {
      size_t parent = pending.back();
      pending.pop_back();
      const size_t parentEntry = nodes[parent].entry;
      const size_t childDepth = nodes[parent].depth + 1;
      size_t linkField = parentEntry + key_entry::kFirstChild;
      for (uint32_t link = u32(linkField); link != kNil; link = u32(linkField)) {
        size_t entry = entryAt(link, linkField);
        if (!visited.insert(entry).second) fail("loop in the key tree", linkField);
        if (u32(entry + key_entry::kParent) != parentEntry - key_tree::kFileOffset)
          fail("key entry names the wrong parent", entry + key_entry::kParent);
        if (childDepth > kMaxKeyDepth) fail("key tree nested too deeply", entry);
        nodes[parent].children.push_back(nodes.size());
        pending.push_back(nodes.size());
        nodes.push_back(KeyNode{entry, childDepth, readKeyRecord(entry, false), {}});
        linkField = entry + key_entry::kNextSibling;
      }
    }
    // Children always come after their parent, so assembling from the back
    // moves every finished subtree into its parent.
    for (size_t i = nodes.size(); i-- > 0;) {
      RegistryKey& key = nodes[i].key;
      key.subkeys.reserve(nodes[i].children.size());
      for (size_t child : nodes[i].children) key.subkeys.push_back(std::move(nodes[child].key));
    }
    return std::move(nodes[0].key);
  }

  const uint8_t* data_;
  size_t size_;
  size_t firstBlockOffset_ = 0;
  size_t blockCount_ = 0;
  size_t keyTreeSize_ = 0;
  std::unordered_map<uint32_t, DataRecord> records_;
};

}  // namespace

RegistryTree readWin9xRegistry(const uint8_t* data, size_t size) {
  return Win9xRegistryReader(data, size).read();
}

}  // namespace platform::registry
