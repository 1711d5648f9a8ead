// Damaged Windows 9x registry files: every fault is a RegistryFormatError
// naming the offset at fault, never a crash or a read outside the buffer.
#include <gtest/gtest.h>

#include <functional>

#include "platform/registry/registry_error.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/platform_registry_win9x/win9x_sample_trees.h"

using namespace platform::registry;

namespace {

constexpr size_t kRootEntry = 0x40;     // file offset of the root key entry
constexpr size_t kFirstBlock = 0x2020;  // a small file's key tree is 0x2000 bytes
constexpr size_t kFirstRecord = kFirstBlock + 0x20;

class Win9xCorruptInput : public testing::Test {
 protected:
  // The sample file with every "checksum valid" flag cleared, so that the
  // structural checks are what a damaged field runs into.
  void SetUp() override {
    file_ = writeWin9xRegistry(win9x_samples::typicalTree());
    ASSERT_EQ(u32(0x08), kFirstBlock);
    file_[0x12] &= ~4;
    file_[0x30] &= ~4;
    for (size_t block = kFirstBlock; block < file_.size(); block += u32(block + 4))
      file_[block + 0x0C] &= ~4;
  }

  uint32_t u32(size_t at) const {
    return file_[at] | file_[at + 1] << 8 | file_[at + 2] << 16 | uint32_t{file_[at + 3]} << 24;
  }
  void set32(size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) file_[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  void set16(size_t at, uint16_t value) {
    file_[at] = static_cast<uint8_t>(value);
    file_[at + 1] = static_cast<uint8_t>(value >> 8);
  }
  // File offset of the first subkey of the root ("Software").
  size_t firstChildEntry() const { return 0x20 + u32(kRootEntry + 0x10); }

  // Damages a copy of the file and expects the reader to refuse it at `offset`.
  void expectRefusedAt(const std::function<void()>& damage, size_t offset) {
    std::vector<uint8_t> intact = file_;
    damage();
    try {
      readWin9xRegistry(file_.data(), file_.size());
      ADD_FAILURE() << "damaged file was read (expected a fault at 0x" << std::hex << offset << ")";
    } catch (const RegistryFormatError& error) {
      EXPECT_EQ(error.offset(), offset) << error.what();
    }
    file_ = intact;
  }

  std::vector<uint8_t> file_;
};

}  // namespace

TEST_F(Win9xCorruptInput, TheIntactFileReads) {
  EXPECT_EQ(describeDifference(readWin9xRegistry(file_.data(), file_.size()).root,
                               win9x_samples::typicalTree().root),
            "");
}

TEST_F(Win9xCorruptInput, EveryTruncationIsRefused) {
  for (size_t length = 0; length < file_.size(); ++length)
    EXPECT_THROW(readWin9xRegistry(file_.data(), length), RegistryFormatError) << length;
  std::vector<uint8_t> longer = file_;
  longer.push_back(0);
  EXPECT_THROW(readWin9xRegistry(longer.data(), longer.size()), RegistryFormatError);
}

TEST_F(Win9xCorruptInput, ChecksumsAreVerifiedWhenTheFileMarksThemValid) {
  std::vector<uint8_t> sealed = writeWin9xRegistry(win9x_samples::typicalTree());
  const size_t lastByte = sealed.size() - 1;  // inside the last block's free record
  for (size_t at : {size_t{0x18}, size_t{0x1000}, lastByte}) {
    std::vector<uint8_t> damaged = sealed;
    damaged[at] ^= 0x40;
    EXPECT_THROW(readWin9xRegistry(damaged.data(), damaged.size()), RegistryFormatError) << at;
  }
  // Without the flag the same bytes are not checked.
  file_[lastByte] ^= 0x40;
  EXPECT_NO_THROW(readWin9xRegistry(file_.data(), file_.size()));
}

TEST_F(Win9xCorruptInput, DamagedHeadersAreRefused) {
  expectRefusedAt([&] { file_[0] = 'X'; }, 0);
  expectRefusedAt([&] { set32(0x04, 0x20000); }, 0x04);
  expectRefusedAt([&] { set32(0x08, kFirstBlock + 0x1000); }, 0x08);
  expectRefusedAt([&] { file_[0x21] = 'X'; }, 0x20);
  expectRefusedAt([&] { set32(0x24, 0x10); }, 0x24);
  expectRefusedAt([&] { set32(0x24, 0xFFFFFFF0); }, 0x08);
  expectRefusedAt([&] { set32(0x28, 0x3C); }, 0x28);
  expectRefusedAt([&] { set32(0x2C, 0x2000); }, 0x2C);
  expectRefusedAt([&] { set16(0x10, 2); }, file_.size());
  expectRefusedAt([&] { set16(0x10, 0); }, kFirstBlock);
  expectRefusedAt([&] { file_[kFirstBlock + 3] = 'X'; }, kFirstBlock);
  expectRefusedAt([&] { set32(kFirstBlock + 4, 0x10); }, kFirstBlock + 4);
  expectRefusedAt([&] { set32(kFirstBlock + 4, 0x2000); }, kFirstBlock);
  expectRefusedAt([&] { set16(kFirstBlock + 0x0E, 1); }, kFirstBlock + 0x0E);
}

TEST_F(Win9xCorruptInput, DamagedKeyTreeLinksAreRefused) {
  const size_t child = firstChildEntry();
  expectRefusedAt([&] { set32(kRootEntry + 0x0C, 0x20); }, kRootEntry + 0x0C);
  expectRefusedAt([&] { set32(kRootEntry + 0x14, 0x20); }, kRootEntry + 0x14);
  expectRefusedAt([&] { set32(kRootEntry, 0x80000000); }, kRootEntry);
  expectRefusedAt([&] { set32(kRootEntry + 0x10, 0x1FF0); }, kRootEntry + 0x10);
  expectRefusedAt([&] { set32(kRootEntry + 0x10, 0x10); }, kRootEntry + 0x10);
  // A child that links back to the root, or to itself, is a loop.
  expectRefusedAt([&] { set32(child + 0x10, 0x20); }, child + 0x10);
  expectRefusedAt([&] { set32(child + 0x14, child - 0x20); }, child + 0x14);
  expectRefusedAt([&] { set32(child + 0x0C, child - 0x20); }, child + 0x0C);
  expectRefusedAt([&] { set32(child, 0x80000000); }, kRootEntry + 0x10);
  // A link into unused space finds no entry that names this parent.
  expectRefusedAt([&] { set32(child + 0x14, 0x1000); }, 0x20 + 0x1000 + 0x0C);
}

TEST_F(Win9xCorruptInput, KeysWithoutTheirOwnDataRecordAreRefused) {
  const size_t child = firstChildEntry();
  expectRefusedAt([&] { set16(child + 0x18, 200); }, child + 0x18);
  expectRefusedAt([&] { set16(child + 0x1A, 1); }, child + 0x18);
  expectRefusedAt([&] { set32(child + 0x18, 0xFFFFFFFF); }, child + 0x18);
  // Two entries naming the same record.
  const size_t grandchild = 0x20 + u32(child + 0x10);
  expectRefusedAt([&] { set16(grandchild + 0x18, 0); }, grandchild + 0x18);
}

TEST_F(Win9xCorruptInput, DataRecordsThatDoNotAddUpAreRefused) {
  const uint32_t recordSize = u32(kFirstRecord);
  const size_t second = kFirstRecord + recordSize;
  expectRefusedAt([&] { set32(kFirstRecord, 4); }, kFirstRecord);
  expectRefusedAt([&] { set32(kFirstRecord, 0x100000); }, kFirstRecord);
  // Sizes that no longer tile the block: the chain lands inside a record.
  expectRefusedAt([&] { set32(kFirstRecord, recordSize + 1); }, second + 1);
  expectRefusedAt([&] { set32(kFirstRecord + 8, recordSize + 1); }, kFirstRecord + 8);
  expectRefusedAt([&] { set16(kFirstRecord + 0x0C, 0xFFFF); }, kFirstRecord + 0x0C);
  expectRefusedAt([&] { set16(kFirstRecord + 0x0E, 5); }, kFirstRecord + 0x14 + 8);  // "Software"
  expectRefusedAt([&] { set16(second + 4, 0); }, second + 4);
  // A value whose data runs past its key's record.
  size_t valueKey = second + u32(second);  // "Windows", after "Microsoft"
  valueKey += u32(valueKey);               // "CurrentVersion", values from +0x14 + 14
  const size_t firstValue = valueKey + 0x14 + 14;
  expectRefusedAt([&] { set16(firstValue + 0x0A, 0x8000); }, firstValue);
}

// What Windows 98 leaves in its files is not damage: free records between
// keys, block header free-space fields that disagree with the records, stale
// name hashes and junk in unused fields.
TEST_F(Win9xCorruptInput, ToleratesWhatWindows98Leaves) {
  const size_t lastBlock = kFirstBlock;  // the sample has one data block
  ASSERT_EQ(kFirstBlock + u32(kFirstBlock + 4), file_.size());
  const size_t freeRecord = lastBlock + u32(lastBlock + 0x10);
  const uint32_t freeSize = u32(freeRecord);
  ASSERT_GE(freeSize, 40u);
  // Split the free tail in two: the first part now sits between records.
  set32(freeRecord, 20);
  set32(freeRecord + 20, freeSize - 20);
  set32(freeRecord + 24, 0xFFFFFFFF);
  set32(lastBlock + 0x08, 12345);
  set32(lastBlock + 0x10, 0x7777);
  set32(0x20 + 0x0C, 0xFFFFFFFF);            // no free key entry recorded
  set32(firstChildEntry() + 0x04, 0);        // stale hash
  set32(firstChildEntry() + 0x08, 0x12345);  // junk next-free link
  EXPECT_EQ(describeDifference(readWin9xRegistry(file_.data(), file_.size()).root,
                               win9x_samples::typicalTree().root),
            "");
}
