#include "platform/registry/nt_hive_write.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/registry/nt_hive_bin_writer.h"
#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/nt_hive_names.h"
#include "platform/registry/nt_hive_security.h"
#include "platform/registry/nt_hive_subkey_lists.h"

namespace platform::registry {
namespace {

using namespace nt_hive;

constexpr uint32_t kMaxKeyNameCharacters = 255;
constexpr int kMaxKeyDepth = 512;  // as deep as the reader (and Windows) goes
constexpr uint32_t kMaxStoredNameBytes = 0xFFFF;
constexpr size_t kFileNameCharacters = kBaseFileNameBytes / 2 - 1;

bool isStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegLink || type == kRegMultiSz;
}

// Value data as the hive stores it: strings of an ANSI tree become UTF-16LE.
std::vector<uint8_t> storedData(const RegistryValue& value, StringEncoding encoding) {
  if (encoding == StringEncoding::Utf16le || !isStringType(value.type)) return value.data;
  std::string ansi(value.data.begin(), value.data.end());
  return utf8ToUtf16leBytes(ansiToUtf8(ansi));
}

class HiveWriter {
 public:
  HiveWriter(const RegistryTree& tree, const NtHiveWriteOptions& options)
      : options_(options), encoding_(tree.stringEncoding), bins_(options.lastWrite) {}

  uint32_t writeKey(const RegistryKey& key, uint32_t parent, int depth = 0) {
    if (depth > kMaxKeyDepth) throw corvasta::Error("Registry keys nested too deeply");
    StoredName name = encodeName(key.name);
    if (name.utf16Bytes / 2 > kMaxKeyNameCharacters)
      throw corvasta::Error("Registry key name longer than 255 characters: " + key.name);
    KeyCells cells;
    cells.nk = bins_.allocate(kKeyName + name.bytes.size());
    cells.security = securityCell(key.securityDescriptor);
    cells.values = writeValues(key);

    std::vector<ListedSubkey> children;
    for (const RegistryKey* child : sortedSubkeys(key)) {
      children.push_back({writeKey(*child, cells.nk, depth + 1), utf8ToUtf16(child->name)});
      cells.maxChildNameBytes =
          std::max(cells.maxChildNameBytes, encodeName(child->name).utf16Bytes);
      cells.maxChildClassBytes =
          std::max<uint32_t>(cells.maxChildClassBytes, utf8ToUtf16leBytes(child->className).size());
    }
    cells.subkeyCount = static_cast<uint32_t>(children.size());
    if (!children.empty())
      cells.subkeyList =
          writeSubkeyList(bins_, children, options_.minorVersion >= kFirstMinorWithHashLeaves);
    std::vector<uint8_t> className = utf8ToUtf16leBytes(key.className);
    if (className.size() > kMaxStoredNameBytes)
      throw corvasta::Error("Registry class name too long: " + key.className);
    if (!className.empty()) cells.className = writeBytesCell(className);
    cells.classBytes = static_cast<uint16_t>(className.size());

    fillKeyRecord(key, name, parent, cells);
    return cells.nk;
  }

  // Links the sk cells into their circular list and sets their reference
  // counts, once every key has been written.
  void finishSecurityCells() {
    for (size_t i = 0; i < securityCells_.size(); ++i) {
      uint8_t* record = bins_.record(securityCells_[i].cellOffset);
      size_t count = securityCells_.size();
      writeU32(record + kSecurityFlink, securityCells_[(i + 1) % count].cellOffset);
      writeU32(record + kSecurityBlink, securityCells_[(i + count - 1) % count].cellOffset);
      writeU32(record + kSecurityRefCount, securityCells_[i].references);
    }
  }

  // The whole file, with the base block still zero.
  std::vector<uint8_t> finishFile() { return bins_.finish(); }

 private:
  struct SecurityCell {
    uint32_t cellOffset;
    uint32_t references;
  };
  struct ValueListResult {
    uint32_t list = kNil;
    uint32_t maxNameBytes = 0;
    uint32_t maxDataBytes = 0;
  };

  // Where a key's parts went, for its nk record.
  struct KeyCells {
    uint32_t nk = kNil;
    uint32_t security = kNil;
    ValueListResult values;
    uint32_t subkeyCount = 0;
    uint32_t subkeyList = kNil;
    uint32_t className = kNil;
    uint16_t classBytes = 0;
    uint32_t maxChildNameBytes = 0;
    uint32_t maxChildClassBytes = 0;
  };

  void fillKeyRecord(const RegistryKey& key, const StoredName& name, uint32_t parent,
                     const KeyCells& cells) {
    uint8_t* record = bins_.record(cells.nk);
    std::memcpy(record, "nk", 2);
    uint16_t flags = name.compressed ? kKeyCompressedName : 0;
    if (parent == kNil) flags |= kKeyHiveEntry | kKeyNoDelete;
    writeU16(record + kKeyFlags, flags);
    writeU64(record + kKeyLastWritten, key.lastWrite ? key.lastWrite : options_.lastWrite);
    writeU32(record + kKeyParent, parent);
    writeU32(record + kKeySubkeyCount, cells.subkeyCount);
    writeU32(record + kKeySubkeyList, cells.subkeyList);
    writeU32(record + kKeyVolatileSubkeyList, kNil);
    writeU32(record + kKeyValueCount, static_cast<uint32_t>(key.values.size()));
    writeU32(record + kKeyValueList, cells.values.list);
    writeU32(record + kKeySecurity, cells.security);
    writeU32(record + kKeyClassName, cells.className);
    writeU32(record + kKeyMaxSubkeyNameBytes, cells.maxChildNameBytes);
    writeU32(record + kKeyMaxSubkeyClassBytes, cells.maxChildClassBytes);
    writeU32(record + kKeyMaxValueNameBytes, cells.values.maxNameBytes);
    writeU32(record + kKeyMaxValueDataBytes, cells.values.maxDataBytes);
    writeU16(record + kKeyNameLength, static_cast<uint16_t>(name.bytes.size()));
    writeU16(record + kKeyClassLength, cells.classBytes);
    // The root key's name may be empty; memcpy must not see its null data.
    if (!name.bytes.empty()) std::memcpy(record + kKeyName, name.bytes.data(), name.bytes.size());
  }

  std::vector<const RegistryKey*> sortedSubkeys(const RegistryKey& key) {
    std::vector<std::pair<std::u16string, const RegistryKey*>> keyed;
    for (const auto& child : key.subkeys)
      keyed.emplace_back(upcase(utf8ToUtf16(child.name)), &child);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const RegistryKey*> sorted;
    for (size_t i = 0; i < keyed.size(); ++i) {
      if (i > 0 && keyed[i].first == keyed[i - 1].first)
        throw corvasta::Error("Two subkeys named '" + keyed[i].second->name + "'");
      sorted.push_back(keyed[i].second);
    }
    return sorted;
  }

  uint32_t securityCell(const std::vector<uint8_t>& given) {
    const std::vector<uint8_t>& descriptor = given.empty() ? defaultKeySecurityDescriptor() : given;
    auto known = securityIndex_.find(descriptor);
    if (known != securityIndex_.end()) {
      ++securityCells_[known->second].references;
      return securityCells_[known->second].cellOffset;
    }
    uint32_t offset = bins_.allocate(kSecurityDescriptor + descriptor.size());
    uint8_t* record = bins_.record(offset);
    std::memcpy(record, "sk", 2);
    writeU32(record + kSecurityLength, static_cast<uint32_t>(descriptor.size()));
    std::memcpy(record + kSecurityDescriptor, descriptor.data(), descriptor.size());
    securityIndex_[descriptor] = securityCells_.size();
    securityCells_.push_back({offset, 1});
    return offset;
  }

  ValueListResult writeValues(const RegistryKey& key) {
    ValueListResult result;
    if (key.values.empty()) return result;
    std::vector<uint32_t> cells;
    std::set<std::u16string> names;
    for (const auto& value : key.values) {
      if (!names.insert(upcase(utf8ToUtf16(value.name))).second)
        throw corvasta::Error("Two values named '" + value.name + "' in key " + key.name);
      std::vector<uint8_t> data = storedData(value, encoding_);
      cells.push_back(writeValue(value, data));
      result.maxNameBytes = std::max(result.maxNameBytes, encodeName(value.name).utf16Bytes);
      result.maxDataBytes = std::max(result.maxDataBytes, static_cast<uint32_t>(data.size()));
    }
    result.list = bins_.allocate(4 * cells.size());
    for (size_t i = 0; i < cells.size(); ++i) writeU32(bins_.record(result.list) + 4 * i, cells[i]);
    return result;
  }

  uint32_t writeValue(const RegistryValue& value, const std::vector<uint8_t>& data) {
    StoredName name = encodeName(value.name);
    if (name.bytes.size() > kMaxStoredNameBytes)
      throw corvasta::Error("Registry value name too long: " + value.name);
    if (data.size() >= kValueDataInline)
      throw corvasta::Error("Registry value too large: " + value.name);
    uint32_t vk = bins_.allocate(kValueName + name.bytes.size());
    uint32_t length = static_cast<uint32_t>(data.size());
    uint32_t storedLength = length;
    uint8_t inlineData[4] = {0, 0, 0, 0};
    uint32_t dataField = kNil;
    if (length <= kInlineDataMax) {
      storedLength |= kValueDataInline;
      std::copy(data.begin(), data.end(), inlineData);
      dataField = readU32(inlineData);
    } else if (options_.minorVersion >= kFirstMinorWithBigData && length > kBigDataSegmentBytes) {
      dataField = writeBigData(data);
    } else {
      dataField = writeBytesCell(data);
    }
    uint8_t* record = bins_.record(vk);
    std::memcpy(record, "vk", 2);
    writeU16(record + kValueNameLength, static_cast<uint16_t>(name.bytes.size()));
    writeU32(record + kValueDataLength, storedLength);
    writeU32(record + kValueData, dataField);
    writeU32(record + kValueType, value.type);
    writeU16(record + kValueFlags, name.compressed ? kValueCompressedName : 0);
    std::memcpy(record + kValueName, name.bytes.data(), name.bytes.size());
    return vk;
  }

  uint32_t writeBigData(const std::vector<uint8_t>& data) {
    size_t segmentCount = (data.size() + kBigDataSegmentBytes - 1) / kBigDataSegmentBytes;
    if (segmentCount > 0xFFFF) throw corvasta::Error("Registry value too large for big data");
    uint32_t db = bins_.allocate(kBigDataRecordSize);
    uint32_t list = bins_.allocate(4 * segmentCount);
    for (size_t i = 0; i < segmentCount; ++i) {
      size_t start = i * kBigDataSegmentBytes;
      size_t count = std::min<size_t>(kBigDataSegmentBytes, data.size() - start);
      // Full segments (16344 bytes in a 16352-byte cell) leave 4 spare bytes
      // at the end of their cell; the last one gets them too, since readers
      // that take a segment's length from its cell size count on them.
      uint32_t segment = bins_.allocate(count + kCellHeaderSize);
      std::copy(data.begin() + start, data.begin() + start + count, bins_.record(segment));
      writeU32(bins_.record(list) + 4 * i, segment);
    }
    uint8_t* record = bins_.record(db);
    std::memcpy(record, "db", 2);
    writeU16(record + kBigDataSegmentCount, static_cast<uint16_t>(segmentCount));
    writeU32(record + kBigDataSegmentList, list);
    return db;
  }

  uint32_t writeBytesCell(const std::vector<uint8_t>& bytes) {
    uint32_t offset = bins_.allocate(bytes.size());
    std::copy(bytes.begin(), bytes.end(), bins_.record(offset));
    return offset;
  }

  const NtHiveWriteOptions& options_;
  StringEncoding encoding_;
  HiveBinWriter bins_;
  std::map<std::vector<uint8_t>, size_t> securityIndex_;
  std::vector<SecurityCell> securityCells_;
};

void writeFileName(uint8_t* base, const std::string& fileName) {
  std::u16string name = utf8ToUtf16(fileName);
  if (name.size() > kFileNameCharacters) name = name.substr(name.size() - kFileNameCharacters);
  for (size_t i = 0; i < name.size(); ++i) writeU16(base + kBaseFileName + 2 * i, name[i]);
}

void fillBaseBlock(uint8_t* base, const NtHiveWriteOptions& options, uint32_t rootCell,
                   uint32_t binsSize, uint64_t lastWrite) {
  std::memcpy(base, "regf", 4);
  writeU32(base + kBaseSequence1, 1);
  writeU32(base + kBaseSequence2, 1);
  writeU64(base + kBaseLastWritten, lastWrite);
  writeU32(base + kBaseMajor, 1);
  writeU32(base + kBaseMinor, options.minorVersion);
  writeU32(base + kBaseFileFormat, 1);
  writeU32(base + kBaseRootCell, rootCell);
  writeU32(base + kBaseBinsSize, binsSize);
  writeU32(base + kBaseClustering, 1);
  writeFileName(base, options.fileName);
  writeU32(base + kBaseChecksum, baseBlockChecksum(base));
}

}  // namespace

std::vector<uint8_t> writeNtHive(const RegistryTree& tree, const NtHiveWriteOptions& options) {
  if (options.minorVersion < 3 || options.minorVersion > 5)
    throw corvasta::Error("Unsupported hive version 1." + std::to_string(options.minorVersion));
  HiveWriter writer(tree, options);
  uint32_t root = writer.writeKey(tree.root, kNil);
  writer.finishSecurityCells();
  std::vector<uint8_t> file = writer.finishFile();
  auto binsSize = static_cast<uint32_t>(file.size() - kBaseBlockSize);
  fillBaseBlock(file.data(), options, root, binsSize, options.lastWrite);

  // Some readers check the plain XOR instead of the adjusted checksum; the
  // two differ only when the XOR is 0 or all ones. Moving the timestamp by
  // 100 ns avoids that case, so every reader accepts the file.
  if (uint32_t sum = baseBlockXor(file.data()); sum == 0 || sum == 0xFFFFFFFF) {
    uint64_t moved = options.lastWrite ^ 1;
    fillBaseBlock(file.data(), options, root, binsSize, moved);
    writeU64(file.data() + kBaseBlockSize + kBinTimestamp, moved);
  }
  return file;
}

}  // namespace platform::registry
