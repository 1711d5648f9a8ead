// A session written through the cache and writer threads to a scripted
// CD writer: how the stream is cut into WRITE (10) commands, the post-gap,
// the drive's preparation and texts, and what the engine keeps after.
#include <gtest/gtest.h>

#include <algorithm>

#include "cdengine/CacheThread.h"
#include "cdengine/DiscTypes.h"
#include "tests/cdengine_pipeline/pipeline_rig.h"

namespace cdengine_test {
namespace {

using cdengine::DebugType;

constexpr uint32_t kUnitSectors = 27;

TEST(WritePipeline, WriteUnitsAndCacheLimits) {
  EXPECT_EQ(cdengine::writeUnitBytes(cdengine::disc::CdR), 55296u);
  EXPECT_EQ(cdengine::writeUnitBytes(cdengine::disc::CdRw), 55296u);
  EXPECT_EQ(cdengine::writeUnitBytes(cdengine::disc::DvdPlusR), 65536u);
  EXPECT_EQ(cdengine::usableCacheSize(4194304), 4194304u);
  EXPECT_EQ(cdengine::usableCacheSize(1000000), 2097152u);
  EXPECT_EQ(cdengine::usableCacheSize(3000001), 2998272u);  // whole sectors
}

// A session of whole units and 13 sectors more (the header alone takes
// 150 sectors, so the least is 7 units and a half): one write per unit, the
// last one shorter.
TEST(WritePipeline, PartialLastUnitIsAShorterWrite) {
  PipelineRig rig;
  rig.start();
  rig.burner->Image().WritePostGap = false;
  rig.burner->Image().ReplaceFile = true;
  rig.addFile("C:\\Data\\a.bin", 1);
  rig.burner->PrepareImage(true);
  const uint32_t header = rig.burner->TrackSize() - 1;
  const uint32_t units = header / kUnitSectors + 2;
  const uint32_t total = units * kUnitSectors + 13;
  rig.addFile("C:\\Data\\a.bin", (total - header) * 2048 - 100);  // replaces it
  rig.burner->PrepareImage(true);
  ASSERT_EQ(rig.burner->TrackSize(), total);

  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{""}));
  const std::vector<Written> writes = rig.drive.writes();
  ASSERT_EQ(writes.size(), units + 1);
  for (uint32_t i = 0; i < units; ++i) {
    EXPECT_EQ(writes[i].lba, i * kUnitSectors);
    EXPECT_EQ(writes[i].count, kUnitSectors);
  }
  EXPECT_EQ(writes.back().lba, units * kUnitSectors);
  EXPECT_EQ(writes.back().count, 13);
  EXPECT_EQ(rig.writtenBytes(), rig.sessionBytes());
  EXPECT_EQ(rig.burner->BytesWritten(), uint64_t{total} * 2048);

  // Kept after the write: where the session is and what it delivered.
  const auto& kept = rig.burner->LastWrittenSession();
  EXPECT_EQ(kept.start, 0u);
  EXPECT_EQ(kept.sectors, total);
  ASSERT_EQ(kept.files.size(), 1u);
  EXPECT_EQ(kept.files[0].sourcePath, "C:\\Data\\a.bin");
  EXPECT_EQ(kept.files[0].size, (total - header) * 2048 - 100u);
  EXPECT_EQ(rig.burner->CurrentFile(), "C:\\Data\\a.bin");
}

// Below 300 sectors the post-gap pads the track with zeros; a 1 MB
// session is written as it is.
TEST(WritePipeline, PostGapMakesAtLeastThreeHundredSectors) {
  for (const size_t size : {size_t{100000}, size_t{1} << 20}) {
    SCOPED_TRACE(size);
    PipelineRig rig;
    rig.start();
    rig.addFile("C:\\Data\\data.bin", size);
    ASSERT_TRUE(rig.burner->StartWrite());
    ASSERT_TRUE(rig.waitForWriteDone());
    EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{""}));
    const std::vector<uint8_t> written = rig.writtenBytes();
    const uint32_t track = rig.burner->TrackSize();
    EXPECT_EQ(written.size(), size_t{track} * 2048);
    const uint32_t dataEnd = rig.burner->Image().layout().fileArea + (size + 2047) / 2048;
    if (size < 300 * 2048) {
      EXPECT_EQ(track, 300u);
      EXPECT_TRUE(std::all_of(written.begin() + size_t{dataEnd} * 2048, written.end(),
                              [](uint8_t b) { return b == 0; }));
    } else {
      EXPECT_EQ(track, dataEnd);
    }
    EXPECT_EQ(written, rig.sessionBytes());
  }
}

// The drive's preparation, the start texts, the flush, the close and the
// reset, in order.
TEST(WritePipeline, PreparesFlushesClosesAndResets) {
  PipelineRig rig;
  rig.start();
  rig.burner->WriteSpeed = 2822;
  rig.burner->TestWrite = false;
  rig.addFile("C:\\Data\\small.txt", 10);
  std::vector<bool> finalizing;
  rig.burner->OnFinalizingTrack = [&] { finalizing.push_back(true); };
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{""}));
  EXPECT_EQ(finalizing.size(), 1u);
  EXPECT_EQ(textsOf(rig.messages, DebugType::Info),
            (std::vector<std::string>{">>> STARTING WRITE PROCESS ON CD-R AT 16X (2,822 KB/s)"}));

  std::vector<uint8_t> order;
  for (const auto& command : rig.drive.sent()) order.push_back(command.cdb[0]);
  const auto position = [&](uint8_t opcode) {
    return std::find(order.begin(), order.end(), opcode) - order.begin();
  };
  const auto lastPosition = [&](uint8_t opcode) {
    return order.rend() - std::find(order.rbegin(), order.rend(), opcode) - 1;
  };
  EXPECT_LT(lastPosition(0x2A), position(0x35));  // flush after the last block
  EXPECT_LT(position(0x35), position(0x5B));      // then the close
  EXPECT_LT(position(0x5B), lastPosition(0x1E));  // then the reset unlocks
  EXPECT_EQ(rig.drive.last(0x35).cdb[1], 0);      // not immediate
  EXPECT_EQ(rig.drive.last(0x5B).cdb[2], 2);      // the session
  EXPECT_EQ(order.back(), 0x00);                  // the reset ends on TEST UNIT READY
  EXPECT_EQ(rig.burner->DeviceBufferSize, 0u);
  EXPECT_EQ(rig.burner->DeviceFreeBufferSize, 0u);
  EXPECT_FALSE(rig.burner->Writing());
}

TEST(WritePipeline, TestWriteSaysSoAndClosesNothing) {
  PipelineRig rig;
  rig.start();
  rig.burner->TestWrite = true;
  rig.burner->WriteSpeed = 1764;
  rig.addFile("C:\\Data\\small.txt", 10);
  ASSERT_TRUE(rig.burner->StartWrite());
  ASSERT_TRUE(rig.waitForWriteDone());
  EXPECT_EQ(rig.writeEnds, (std::vector<std::string>{""}));
  EXPECT_EQ(textsOf(rig.messages, DebugType::Info),
            (std::vector<std::string>{">>> STARTING WRITE PROCESS ON CD-R AT 10X (1,764 KB/s)",
                                      ">>> TEST/DUMMY WRITE"}));
  EXPECT_EQ(rig.drive.count(0x5B), 0);
}

TEST(WritePipeline, DvdSpeedTextsHaveOneDecimal) {
  EXPECT_EQ(cdengine::writeSpeedText(5540, cdengine::disc::DvdPlusR), "4.0X (5,540 KB/s)");
  EXPECT_EQ(cdengine::writeSpeedText(5540, cdengine::disc::DvdR), "4.0X (5,540 KB/s)");
  EXPECT_EQ(cdengine::writeSpeedText(7056, cdengine::disc::CdRw), "40X (7,056 KB/s)");
}

}  // namespace
}  // namespace cdengine_test
