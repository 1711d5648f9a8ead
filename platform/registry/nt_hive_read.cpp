#include "platform/registry/nt_hive_read.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/registry/nt_hive_cells.h"
#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/nt_hive_names.h"
#include "platform/registry/registry_error.h"

namespace platform::registry {
namespace {

using namespace nt_hive;

constexpr int kMaxKeyDepth = 512;
constexpr uint32_t kLowestMinor = 3;
constexpr uint32_t kHighestMinor = 6;

class HiveParser {
 public:
  HiveParser(const uint8_t* bins, uint32_t binsSize, uint32_t minor)
      : cells_(bins, binsSize), minor_(minor) {}

  RegistryKey readKey(uint32_t cellOffset, uint64_t referencedAt, int depth) {
    CellRecord nk = cells_.cell(cellOffset, "key", referencedAt);
    nk.expectSignature("nk", "key");
    cells_.claim(nk, "key");
    if (depth > kMaxKeyDepth) throw RegistryFormatError("Keys nested too deeply", nk.fileOffset());

    RegistryKey key;
    uint16_t flags = nk.u16(kKeyFlags);
    key.name = decodeName(nk.bytes(kKeyName, nk.u16(kKeyNameLength)), nk.u16(kKeyNameLength),
                          flags & kKeyCompressedName);
    key.lastWrite = nk.u64(kKeyLastWritten);
    key.securityDescriptor = securityDescriptor(nk);
    if (uint16_t classLength = nk.u16(kKeyClassLength); classLength > 0) {
      CellRecord className = cells_.follow(nk, kKeyClassName, "class name");
      cells_.claim(className, "class name");
      key.className = utf16leBytesToUtf8(className.bytes(0, classLength), classLength);
    }
    if (uint32_t count = nk.u32(kKeyValueCount); count > 0) {
      CellRecord list = cells_.follow(nk, kKeyValueList, "value list");
      cells_.claim(list, "value list");
      if (count > list.size() / 4)
        throw RegistryFormatError("Value count exceeds its list", nk.fileOffset(kKeyValueCount));
      for (uint32_t i = 0; i < count; ++i) key.values.push_back(readValue(list, 4 * i));
    }
    if (nk.u32(kKeySubkeyCount) > 0) {
      for (auto [child, at] : subkeyOffsets(nk))
        key.subkeys.push_back(readKey(child, at, depth + 1));
    }
    return key;
  }

 private:
  // The offsets of a key's subkeys with the file offsets of the list entries
  // that hold them, leaves of an "ri" index taken in order.
  std::vector<std::pair<uint32_t, uint64_t>> subkeyOffsets(const CellRecord& nk) {
    std::vector<std::pair<uint32_t, uint64_t>> offsets;
    CellRecord list = cells_.follow(nk, kKeySubkeyList, "subkey list");
    cells_.claim(list, "subkey list");
    if (!list.hasSignature("ri")) {
      appendLeaf(list, offsets);
      return offsets;
    }
    uint16_t count = list.u16(kListCount);
    for (uint16_t i = 0; i < count; ++i) {
      CellRecord leaf = cells_.follow(list, kListEntries + 4 * i, "subkey list");
      cells_.claim(leaf, "subkey list");
      if (leaf.hasSignature("ri"))
        throw RegistryFormatError("Index root refers to another index root", leaf.fileOffset());
      appendLeaf(leaf, offsets);
    }
    return offsets;
  }

  void appendLeaf(const CellRecord& leaf, std::vector<std::pair<uint32_t, uint64_t>>& offsets) {
    size_t stride = 0;
    if (leaf.hasSignature("li")) stride = 4;
    if (leaf.hasSignature("lf") || leaf.hasSignature("lh")) stride = 8;
    if (stride == 0) throw RegistryFormatError("Bad signature of subkey list", leaf.fileOffset());
    uint16_t count = leaf.u16(kListCount);
    for (uint16_t i = 0; i < count; ++i) {
      size_t at = kListEntries + stride * i;
      offsets.emplace_back(leaf.u32(at), leaf.fileOffset(at));
    }
  }

  std::vector<uint8_t> securityDescriptor(const CellRecord& nk) {
    CellRecord sk = cells_.follow(nk, kKeySecurity, "security descriptor");
    auto cached = descriptors_.find(sk.cellOffset());
    if (cached != descriptors_.end()) return cached->second;
    sk.expectSignature("sk", "security descriptor");
    uint32_t length = sk.u32(kSecurityLength);
    const uint8_t* bytes = sk.bytes(kSecurityDescriptor, length);
    return descriptors_[sk.cellOffset()] = std::vector<uint8_t>(bytes, bytes + length);
  }

  RegistryValue readValue(const CellRecord& list, size_t entry) {
    CellRecord vk = cells_.follow(list, entry, "value");
    vk.expectSignature("vk", "value");
    cells_.claim(vk, "value");
    RegistryValue value;
    uint16_t nameLength = vk.u16(kValueNameLength);
    value.name = decodeName(vk.bytes(kValueName, nameLength), nameLength,
                            vk.u16(kValueFlags) & kValueCompressedName);
    value.type = vk.u32(kValueType);
    value.data = valueData(vk);
    return value;
  }

  std::vector<uint8_t> valueData(const CellRecord& vk) {
    uint32_t stored = vk.u32(kValueDataLength);
    uint32_t length = stored & ~kValueDataInline;
    if (stored & kValueDataInline) {
      if (length > kInlineDataMax)
        throw RegistryFormatError("Inline value data longer than 4 bytes",
                                  vk.fileOffset(kValueDataLength));
      const uint8_t* bytes = vk.bytes(kValueData, length);
      return {bytes, bytes + length};
    }
    if (length == 0) return {};
    if (length > cells_.binsSize())
      throw RegistryFormatError("Value data longer than the hive", vk.fileOffset(kValueDataLength));
    CellRecord data = cells_.follow(vk, kValueData, "value data");
    cells_.claim(data, "value data");
    if (minor_ >= kFirstMinorWithBigData && length > kBigDataSegmentBytes &&
        data.hasSignature("db") && data.size() >= kBigDataRecordSize)
      return bigData(data, length);
    const uint8_t* bytes = data.bytes(0, length);
    return {bytes, bytes + length};
  }

  std::vector<uint8_t> bigData(const CellRecord& db, uint32_t length) {
    uint16_t segments = db.u16(kBigDataSegmentCount);
    CellRecord list = cells_.follow(db, kBigDataSegmentList, "big data segment list");
    cells_.claim(list, "big data segment list");
    std::vector<uint8_t> data;
    data.reserve(length);
    for (uint16_t i = 0; i < segments && data.size() < length; ++i) {
      CellRecord segment = cells_.follow(list, 4 * i, "big data segment");
      cells_.claim(segment, "big data segment");
      size_t take = std::min<size_t>(kBigDataSegmentBytes, length - data.size());
      const uint8_t* bytes = segment.bytes(0, take);
      data.insert(data.end(), bytes, bytes + take);
    }
    if (data.size() < length)
      throw RegistryFormatError("Big data segments hold less than the value's length",
                                db.fileOffset());
    return data;
  }

  HiveCells cells_;
  uint32_t minor_;
  std::map<uint32_t, std::vector<uint8_t>> descriptors_;
};

std::string storedFileName(const uint8_t* base) {
  std::u16string name;
  for (size_t i = 0; i < kBaseFileNameBytes; i += 2) {
    char16_t unit = readU16(base + kBaseFileName + i);
    if (unit == 0) break;
    name += unit;
  }
  return utf16ToUtf8(name);
}

// Checks the base block fields the layout depends on and returns the size of
// the hive bins data.
uint32_t checkBaseBlock(const uint8_t* data, size_t size) {
  if (size < kBaseBlockSize || std::memcmp(data, "regf", 4) != 0)
    throw RegistryFormatError("Not an NT registry hive (no 'regf' base block)", 0);
  if (readU32(data + kBaseMajor) != 1 || readU32(data + kBaseMinor) < kLowestMinor ||
      readU32(data + kBaseMinor) > kHighestMinor)
    throw RegistryFormatError("Unsupported hive version " +
                                  std::to_string(readU32(data + kBaseMajor)) + "." +
                                  std::to_string(readU32(data + kBaseMinor)),
                              kBaseMajor);
  if (readU32(data + kBaseFileType) != 0)
    throw RegistryFormatError("File is a transaction log, not a primary hive", kBaseFileType);
  uint32_t binsSize = readU32(data + kBaseBinsSize);
  if (binsSize == 0 || binsSize % kBinGranularity != 0 || binsSize > size - kBaseBlockSize)
    throw RegistryFormatError("Hive bins size " + std::to_string(binsSize) +
                                  " does not fit the file of " + std::to_string(size) + " bytes",
                              kBaseBinsSize);
  return binsSize;
}

}  // namespace

RegistryTree readNtHive(const uint8_t* data, size_t size, NtHiveInfo* info) {
  uint32_t binsSize = checkBaseBlock(data, size);
  uint32_t minor = readU32(data + kBaseMinor);
  HiveParser parser(data + kBaseBlockSize, binsSize, minor);
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root = parser.readKey(readU32(data + kBaseRootCell), kBaseRootCell, 0);
  if (info) {
    info->minorVersion = minor;
    info->lastWritten = readU64(data + kBaseLastWritten);
    info->fileName = storedFileName(data);
    info->clean = readU32(data + kBaseSequence1) == readU32(data + kBaseSequence2);
    info->checksumValid = baseBlockChecksum(data) == readU32(data + kBaseChecksum);
  }
  return tree;
}

}  // namespace platform::registry
