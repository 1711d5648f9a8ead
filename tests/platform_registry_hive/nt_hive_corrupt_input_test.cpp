// Damaged hive files: every defect gives a RegistryFormatError naming where it
// is, never a crash or a read outside the buffer.

#include <gtest/gtest.h>

#include <random>

#include "platform/registry/nt_hive_layout.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/registry_error.h"
#include "tests/platform_registry_hive/nt_hive_inspect.h"
#include "tests/platform_registry_hive/nt_hive_sample_trees.h"

namespace {

using namespace platform::registry;
using namespace hive_inspect;
using platform::registry::nt_hive::writeU32;

std::vector<uint8_t> sampleHive(uint32_t minor = 5) {
  NtHiveWriteOptions options;
  options.minorVersion = minor;
  RegistryTree tree = hive_samples::sampleTree();
  tree.root.ensurePath("Data").setValue({"Large", kRegBinary, hive_samples::pattern(40000, 9)});
  return writeNtHive(tree, options);
}

// Reads a damaged hive and returns the error's file offset.
uint64_t failureOffset(const std::vector<uint8_t>& hive) {
  try {
    readNtHive(hive.data(), hive.size());
  } catch (const RegistryFormatError& error) {
    return error.offset();
  }
  ADD_FAILURE() << "damaged hive was read without an error";
  return 0;
}

void setU32(std::vector<uint8_t>& hive, size_t fileOffset, uint32_t value) {
  writeU32(&hive[fileOffset], value);
}

TEST(NtHiveCorruptInput, EveryTruncationIsAnError) {
  std::vector<uint8_t> hive = sampleHive();
  for (size_t size = 0; size < hive.size(); size += (size < 4200 ? 1 : 509)) {
    std::vector<uint8_t> cut(hive.begin(), hive.begin() + size);
    EXPECT_THROW(readNtHive(cut.data(), cut.size()), RegistryFormatError) << size;
  }
  // Padding after the hive bins is normal.
  hive.resize(hive.size() + 4096, 0xEE);
  EXPECT_NO_THROW(readNtHive(hive.data(), hive.size()));
}

TEST(NtHiveCorruptInput, BaseBlockDefects) {
  std::vector<uint8_t> hive = sampleHive();
  auto damaged = [&](size_t at, uint32_t value) {
    std::vector<uint8_t> copy = hive;
    setU32(copy, at, value);
    return copy;
  };
  EXPECT_EQ(failureOffset(damaged(0, 0x66676573)), 0u);    // signature
  EXPECT_EQ(failureOffset(damaged(24, 9)), 20u);           // version 1.9
  EXPECT_EQ(failureOffset(damaged(28, 1)), 28u);           // a log file
  EXPECT_EQ(failureOffset(damaged(40, 4095)), 40u);        // bins size
  EXPECT_EQ(failureOffset(damaged(40, 0x7FFFF000)), 40u);  // beyond the file
  EXPECT_EQ(failureOffset(damaged(36, 0x12345678)), 36u);  // root outside the bins
  EXPECT_EQ(failureOffset(damaged(36, 0x28)), 36u);        // root not a cell start
}

TEST(NtHiveCorruptInput, BinAndCellDefects) {
  std::vector<uint8_t> hive = sampleHive();
  std::vector<uint8_t> copy = hive;
  copy[4096] = 'X';
  EXPECT_EQ(failureOffset(copy), 4096u);
  copy = hive;
  setU32(copy, 4096 + 4, 4096);  // wrong bin position
  EXPECT_EQ(failureOffset(copy), 4096u);
  copy = hive;
  setU32(copy, 4096 + 8, 100);  // bin size not a multiple of 4 KiB
  EXPECT_EQ(failureOffset(copy), 4096u);
  for (uint32_t badSize : {0u, 4u, 0xFFFFFFF4u, 0x80000000u, 0xFFFF0000u, 0x10000u}) {
    copy = hive;
    setU32(copy, 4096 + 32, badSize);  // the first cell's size
    EXPECT_EQ(failureOffset(copy), 4096u + 32u) << badSize;
  }
}

TEST(NtHiveCorruptInput, ReferencesToNonCellsAndLoops) {
  std::vector<uint8_t> hive = sampleHive();
  uint32_t rootCell = u32At(hive, 36);
  size_t root = recordAt(rootCell);
  std::vector<uint8_t> copy = hive;
  setU32(copy, root + 28, 0xFFFFFFF0);  // subkey list far outside
  EXPECT_EQ(failureOffset(copy), root + 28);
  copy = hive;
  setU32(copy, root + 44, rootCell + 8);  // security inside another cell
  EXPECT_EQ(failureOffset(copy), root + 44);
  copy = hive;
  setU32(copy, root + 44, rootCell);  // security pointing at an nk
  EXPECT_THROW(readNtHive(copy.data(), copy.size()), RegistryFormatError);

  // A subkey entry that points back at the root makes a loop.
  std::vector<uint32_t> leaves = cellsWithSignature(hive, "lh");
  ASSERT_FALSE(leaves.empty());
  copy = hive;
  setU32(copy, recordAt(leaves.back()) + 4, rootCell);
  EXPECT_THROW(readNtHive(copy.data(), copy.size()), RegistryFormatError);
  // Two keys sharing one subkey list.
  copy = hive;
  setU32(copy, root + 28,
         u32At(hive, recordAt(u32At(hive, recordAt(u32At(hive, root + 28)) + 4)) + 28));
  EXPECT_THROW(readNtHive(copy.data(), copy.size()), RegistryFormatError);
}

TEST(NtHiveCorruptInput, ValueDefects) {
  std::vector<uint8_t> hive = sampleHive();
  std::vector<uint32_t> values = cellsWithSignature(hive, "vk");
  ASSERT_FALSE(values.empty());
  size_t first = recordAt(values.front());
  std::vector<uint8_t> copy = hive;
  setU32(copy, first + 4, 0x80000007);  // inline data of 7 bytes
  EXPECT_EQ(failureOffset(copy), first + 4);
  copy = hive;
  setU32(copy, first + 4, 0x7FFFFFF0);  // longer than the hive
  EXPECT_EQ(failureOffset(copy), first + 4);
  copy = hive;
  copy[first + 2] = 0xFF;  // name beyond the record
  copy[first + 3] = 0x7F;
  EXPECT_THROW(readNtHive(copy.data(), copy.size()), RegistryFormatError);

  std::vector<uint32_t> bigData = cellsWithSignature(hive, "db");
  ASSERT_EQ(bigData.size(), 1u);
  copy = hive;
  copy[recordAt(bigData[0]) + 2] = 1;  // too few segments for the length
  EXPECT_EQ(failureOffset(copy), recordAt(bigData[0]));

  size_t app = 0;  // the key with the most values
  uint32_t mostValues = 0;
  for (uint32_t key : cellsWithSignature(hive, "nk")) {
    if (u32At(hive, recordAt(key) + 36) > mostValues) {
      mostValues = u32At(hive, recordAt(key) + 36);
      app = recordAt(key);
    }
  }
  ASSERT_EQ(mostValues, 16u);
  copy = hive;
  setU32(copy, app + 36, 0x40000000);  // more values than its list holds
  EXPECT_EQ(failureOffset(copy), app + 36);
}

TEST(NtHiveCorruptInput, RandomDamageNeverEscapesAsAnotherFailure) {
  for (uint32_t minor : {3u, 5u}) {
    std::vector<uint8_t> hive = sampleHive(minor);
    std::mt19937 random(minor);
    for (int round = 0; round < 3000; ++round) {
      std::vector<uint8_t> copy = hive;
      for (int i = 0; i < 1 + round % 4; ++i) {
        size_t at = 4096 + random() % (copy.size() - 4096);
        copy[at] = static_cast<uint8_t>(random());
      }
      try {
        readNtHive(copy.data(), copy.size());
      } catch (const RegistryFormatError&) {
      }
    }
  }
}

}  // namespace
