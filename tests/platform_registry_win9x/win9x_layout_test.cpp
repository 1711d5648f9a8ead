// The parts of the file layout Windows relies on that libcreg does not check:
// name hashes (Windows finds keys by them) and key entries kept inside pages.
#include <gtest/gtest.h>

#include "platform/registry/win9x_registry_layout.h"
#include "platform/registry/win9x_registry_write.h"
#include "tests/platform_registry_win9x/win9x_sample_trees.h"

using namespace platform::registry;

TEST(Win9xLayout, NameHashesAddUpperCasedAsciiAndSkipOtherBytes) {
  EXPECT_EQ(win9x::nameHash("Software"), 0x26Bu);
  EXPECT_EQ(win9x::nameHash("SOFTWARE"), 0x26Bu);
  EXPECT_EQ(win9x::nameHash("CurrentVersion"), 0x449u);
  EXPECT_EQ(win9x::nameHash("Caf\xE9"), 0xCAu);
  EXPECT_EQ(win9x::nameHash(""), 0u);
}

TEST(Win9xLayout, KeyEntriesNeverCrossAPage) {
  // 291 entries fill the first 0x2000 bytes after the header, 146 each later page.
  EXPECT_EQ(win9x::keyEntrySlotAt(0x20 + 290 * 28), 0x20u + 290 * 28);
  EXPECT_EQ(win9x::keyEntrySlotAt(0x20 + 291 * 28), 0x2000u);
  EXPECT_EQ(win9x::keyEntrySlotAt(0x2000 + 145 * 28), 0x2000u + 145 * 28);
  EXPECT_EQ(win9x::keyEntrySlotAt(0x2000 + 146 * 28), 0x3000u);
  EXPECT_EQ(win9x::keyEntrySlotAt(0x5FFC), 0x6000u);
}

TEST(Win9xLayout, WrittenEntriesCarryTheHashOfTheirKeyName) {
  std::vector<uint8_t> file = writeWin9xRegistry(win9x_samples::typicalTree());
  auto u32 = [&](size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t{file[at + 3]} << 24;
  };
  const size_t software = 0x20 + u32(0x40 + 0x10);
  EXPECT_EQ(u32(software + 4), 0x26Bu);
  const size_t microsoft = 0x20 + u32(software + 0x10);
  const size_t windows = 0x20 + u32(microsoft + 0x10);
  const size_t currentVersion = 0x20 + u32(windows + 0x10);
  EXPECT_EQ(u32(currentVersion + 4), 0x449u);
}
