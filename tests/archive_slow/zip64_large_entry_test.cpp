// An entry past 4 GiB: streamed from generated zeros with ZIP64 sizes in its
// data descriptor, read back by our reader and tested by unzip.
#include <gtest/gtest.h>

#include <cstring>

#include "archive/zip_read_directory.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_write_entry.h"
#include "tests/support/temp_dir.h"

namespace archive {
namespace {

TEST(Zip64LargeEntry, EntryPastFourGibibytesRoundTrips) {
  const uint64_t size = (uint64_t{4} << 30) + (uint64_t{1} << 20) + 7;
  MemoryOutput out;
  ZipArchiveWriter writer(out);
  ZipEntryRecord small;
  small.name = "before.txt";
  writer.addPrepared(prepareEntry(small, reinterpret_cast<const uint8_t*>("x"), 1, {6, ""}));
  ZipEntryRecord header;
  header.name = "C:/zeros.bin";
  header.dosTime = 0x5A2C6B3D;
  uint64_t produced = 0;
  streamEntry(
      writer, header, size, {1, ""},
      [&](uint8_t* buffer, size_t length) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(length, size - produced));
        std::memset(buffer, 0, n);
        produced += n;
        return n;
      },
      nullptr);
  writer.finish();

  MemorySource source(out.bytes().data(), out.bytes().size());
  SingleVolume volumes(source);
  auto end = findZipEnd(source);
  ASSERT_TRUE(end);
  auto records = readCentralDirectory(volumes, *end);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].uncompressedSize, size);
  EXPECT_EQ(records[1].versionNeeded, kVersionZip64);
  uint64_t read = 0;
  bool allZero = true;
  readEntry(volumes, records[1], "", [&](const uint8_t* data, size_t n) {
    read += n;
    for (size_t i = 0; i < n && allZero; i += 4096) allZero = data[i] == 0;
  });
  EXPECT_EQ(read, size);
  EXPECT_TRUE(allZero);

  if (!testing_support::haveProgram("unzip")) return;
  testing_support::TempDir dir;
  testing_support::writeFile(dir / "large.zip",
                             std::string(out.bytes().begin(), out.bytes().end()));
  auto unzip = testing_support::runCommand("unzip -tq '" + (dir / "large.zip").string() + "'");
  EXPECT_EQ(unzip.exitCode, 0) << unzip.output;
}

}  // namespace
}  // namespace archive
