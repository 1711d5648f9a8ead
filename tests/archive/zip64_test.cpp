// ZIP64 records: more than 65535 entries, and offsets and sizes past 4 GiB,
// written by our records and read back by our reader.
#include <gtest/gtest.h>

#include "archive/zip_read_directory.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_write_entry.h"
#include "archive/zip_write_records.h"

namespace archive {
namespace {

TEST(Zip64, MoreThan65535EntriesRoundTrip) {
  MemoryOutput out;
  ZipArchiveWriter writer(out);
  const size_t count = 70000;
  for (size_t i = 0; i < count; ++i) {
    ZipEntryRecord header;
    header.name = "f" + std::to_string(i);
    header.dosTime = 0x30210000;
    std::string text = std::to_string(i);
    writer.addPrepared(
        prepareEntry(header, reinterpret_cast<const uint8_t*>(text.data()), text.size(), {0, ""}));
  }
  writer.finish();
  MemorySource source(out.bytes().data(), out.bytes().size());
  SingleVolume volumes(source);
  auto end = findZipEnd(source);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->info.entryCount, count);
  auto records = readCentralDirectory(volumes, *end);
  ASSERT_EQ(records.size(), count);
  std::string last;
  readEntry(volumes, records.back(), "",
            [&](const uint8_t* d, size_t n) { last.append(reinterpret_cast<const char*>(d), n); });
  EXPECT_EQ(last, "69999");
}

TEST(Zip64, LargeValuesUseZip64FieldsAndParseBack) {
  ZipEntryRecord big;
  big.name = "huge.bin";
  big.compressedSize = 5'000'000'000ull;
  big.uncompressedSize = 6'000'000'000ull;
  big.localHeaderOffset = 4'500'000'000ull;
  big.diskStart = 3;
  Bytes central = centralHeader(big);
  auto parsed = parseCentralDirectory(central.data(), central.size(), 1);
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].compressedSize, big.compressedSize);
  EXPECT_EQ(parsed[0].uncompressedSize, big.uncompressedSize);
  EXPECT_EQ(parsed[0].localHeaderOffset, big.localHeaderOffset);
  EXPECT_EQ(parsed[0].diskStart, 3u);
  EXPECT_EQ(parsed[0].versionNeeded, kVersionZip64);

  ZipEndInfo info{1, 1, central.size(), 7'000'000'000ull, 0, 0};
  Bytes tail = central;
  Bytes records = endRecords(info, 7'000'000'000ull + central.size());
  tail.insert(tail.end(), records.begin(), records.end());
  MemorySource source(tail.data(), tail.size());
  auto end = findZipEnd(source);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->info.directoryOffset, 7'000'000'000ull);
  EXPECT_EQ(end->recordsStart, central.size());
}

}  // namespace
}  // namespace archive
