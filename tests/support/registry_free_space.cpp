#include "tests/support/registry_free_space.h"

#include <algorithm>

#include "platform/core/errors.h"
#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/win9x_registry_layout.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

namespace win9x = platform::registry::win9x;
namespace nt = platform::registry::nt_hive;
using platform::registry::RegistryTree;

uint32_t get32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

uint16_t get16(const std::string& bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes.at(at)) |
                               static_cast<uint8_t>(bytes.at(at + 1)) << 8);
}

void put(std::string& bytes, size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.at(at + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t ceilDiv(uint64_t a, uint64_t b) {
  return (a + b - 1) / b;
}

// Keys "Grown\Key<n>" with a few incompressible binary values each, of 8
// to `largestValue` bytes as registry values mostly are, until `write` makes
// the tree at least `liveBytes` long. Each round adds most of the keys that
// the bytes per key so far say are missing.
template <typename Write>
std::vector<uint8_t> addKeysUntil(RegistryTree& tree, uint64_t liveBytes, size_t largestValue,
                                  Write write) {
  std::vector<uint8_t> image = write(tree);
  size_t next = 0;
  const size_t sizeBefore = image.size();
  size_t batch = 64;  // the first round measures the bytes a key takes
  while (image.size() < liveBytes) {
    for (size_t i = 0; i < batch; ++i, ++next) {
      platform::registry::RegistryKey& key =
          tree.root.ensurePath("Grown\\Key" + std::to_string(next));
      for (size_t v = 0; v < 4; ++v) {
        const size_t size = 8 + (next * 131 + v * 977) % (largestValue - 7);
        const std::string random = randomBytes(size, static_cast<unsigned>(next * 4 + v));
        key.setValue({"Value" + std::to_string(v), platform::registry::kRegBinary,
                      std::vector<uint8_t>(random.begin(), random.end())});
      }
    }
    image = write(tree);
    // The file grows in steps (blocks, bins): the bytes of every key so far.
    const size_t perKey = std::max<size_t>(1, (image.size() - sizeBefore) / next);
    // Nine tenths of what seems missing, so that the rounds close in from below.
    batch = std::max<size_t>(
        1, (liveBytes - std::min<uint64_t>(liveBytes, image.size())) * 9 / 10 / perKey);
  }
  return image;
}

}  // namespace

std::string withFreeWin9xBlock(std::string image, uint32_t bytes) {
  const uint16_t blockCount = get16(image, win9x::file_header::kBlockCount);
  const size_t block = image.size();
  image.resize(block + bytes, '\0');
  image.replace(block, 4, "RGDB");
  put(image, block + win9x::data_block::kSize, bytes, 4);
  put(image, block + win9x::data_block::kUnusedSize, bytes - win9x::data_block::kHeaderSize, 4);
  // Flags without the valid-checksum bit: the block is not summed.
  put(image, block + win9x::data_block::kFlags,
      win9x::data_block::kFlagsValue & ~win9x::kChecksumValid, 2);
  put(image, block + win9x::data_block::kBlockNumber, blockCount, 2);
  put(image, block + win9x::data_block::kFreeOffset, win9x::data_block::kHeaderSize, 4);
  const size_t record = block + win9x::data_block::kHeaderSize;
  put(image, record + win9x::key_record::kRecordSize, bytes - win9x::data_block::kHeaderSize, 4);
  put(image, record + win9x::key_record::kId, win9x::kNoId, 2);
  put(image, record + win9x::key_record::kBlock, win9x::kNoId, 2);
  put(image, win9x::file_header::kBlockCount, blockCount + 1u, 2);
  put(image, win9x::file_header::kChecksum, 0, 4);
  const uint32_t sum =
      win9x::sumOfDwords(reinterpret_cast<const uint8_t*>(image.data()), win9x::file_header::kSize);
  put(image, win9x::file_header::kChecksum, 0u - sum, 4);
  return image;
}

std::string withFreeNtBins(std::string hive, uint32_t bytes) {
  if (bytes % nt::kBinGranularity != 0) throw corvasta::Error("free hive bins need 4 KB steps");
  constexpr uint32_t kBinBytes = 0x10000;  // the size of each appended bin, but the last
  uint32_t binsSize = get32(hive, nt::kBaseBinsSize);
  for (uint32_t left = bytes; left > 0;) {
    const uint32_t size = std::min(left, kBinBytes);
    std::string bin(size, '\0');
    bin.replace(0, 4, "hbin");
    put(bin, nt::kBinOffset, binsSize, 4);
    put(bin, nt::kBinSize, size, 4);
    // One free cell (a positive size) fills the bin.
    put(bin, nt::kBinHeaderSize, size - nt::kBinHeaderSize, 4);
    hive.resize(nt::kBaseBlockSize + binsSize);
    hive += bin;
    binsSize += size;
    left -= size;
  }
  put(hive, nt::kBaseBinsSize, binsSize, 4);
  uint32_t checksum = 0;
  for (size_t at = 0; at < nt::kBaseChecksum; at += 4) checksum ^= get32(hive, at);
  put(hive, nt::kBaseChecksum, checksum, 4);
  return hive;
}

void growRegistryFile(const std::filesystem::path& file, RegistryFormat format, uint64_t bytes) {
  const uint64_t liveBytes = bytes * 2 / 3;
  std::string image;
  if (format == RegistryFormat::NtHive) {
    platform::registry::NtHiveInfo info;
    RegistryTree tree = readNtHiveFile(file, &info);
    platform::registry::NtHiveWriteOptions options;
    options.minorVersion = info.minorVersion;
    options.lastWrite = info.lastWritten;
    std::vector<uint8_t> live = addKeysUntil(tree, liveBytes, 512, [&](const RegistryTree& t) {
      return platform::registry::writeNtHive(t, options);
    });
    image.assign(live.begin(), live.end());
    if (image.size() < bytes)
      image =
          withFreeNtBins(image, static_cast<uint32_t>((bytes - image.size()) / nt::kBinGranularity *
                                                      nt::kBinGranularity));
  } else {
    RegistryTree tree = readWin9xRegistryFile(file);
    std::vector<uint8_t> live = addKeysUntil(tree, liveBytes, 512, [](const RegistryTree& t) {
      return platform::registry::writeWin9xRegistry(t);
    });
    image.assign(live.begin(), live.end());
    while (image.size() + win9x::data_block::kHeaderSize * 2 < bytes)
      image = withFreeWin9xBlock(image, static_cast<uint32_t>(std::min<uint64_t>(
                                            bytes - image.size(), win9x::kMaxBlockSize)));
  }
  writeFile(file, image);
}

uint64_t liveRecordBound(const std::string& image, RegistryFormat format) {
  uint64_t live = 0;
  if (format == RegistryFormat::NtHive) {
    const uint64_t end = nt::kBaseBlockSize + get32(image, nt::kBaseBinsSize);
    for (uint64_t bin = nt::kBaseBlockSize; bin < end;) {
      const uint32_t binSize = get32(image, bin + nt::kBinSize);
      if (binSize == 0) throw corvasta::Error("a hive bin of no size");
      for (uint64_t cell = bin + nt::kBinHeaderSize; cell < bin + binSize;) {
        const int32_t size = static_cast<int32_t>(get32(image, cell));
        if (size == 0) throw corvasta::Error("a hive cell of no size");
        if (size < 0) live += static_cast<uint64_t>(-static_cast<int64_t>(size));
        cell += static_cast<uint64_t>(size < 0 ? -static_cast<int64_t>(size) : size);
      }
      bin += binSize;
    }
    const uint64_t usable = nt::kBinGranularity - nt::kBinHeaderSize;
    return nt::kBaseBlockSize + ceilDiv(live, usable) * nt::kBinGranularity;
  }
  const uint32_t keyTreeSize = get32(image, win9x::key_tree::kFileOffset + win9x::key_tree::kSize);
  const uint16_t blocks = get16(image, win9x::file_header::kBlockCount);
  uint64_t records = 0;
  uint64_t block = win9x::key_tree::kFileOffset + keyTreeSize;
  for (uint16_t n = 0; n < blocks; ++n) {
    const uint32_t blockSize = get32(image, block + win9x::data_block::kSize);
    for (uint64_t record = block + win9x::data_block::kHeaderSize; record < block + blockSize;) {
      const uint32_t recordSize = get32(image, record + win9x::key_record::kRecordSize);
      if (recordSize == 0) throw corvasta::Error("a registry record of no size");
      if (get16(image, record + win9x::key_record::kId) != win9x::kNoId) {
        live += get32(image, record + win9x::key_record::kUsedSize);
        ++records;
      }
      record += recordSize;
    }
    block += blockSize;
  }
  const uint64_t perBlock = win9x::kMaxBlockSize - win9x::data_block::kHeaderSize;
  return win9x::file_header::kSize + win9x::key_tree::kHeaderSize +
         (records + 1) * win9x::key_entry::kSize + live +
         ceilDiv(live, perBlock) * win9x::data_block::kHeaderSize;
}

}  // namespace testing_support
