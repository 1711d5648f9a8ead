// Writing sessions on the simulated writer: WRITE (10) only at the next
// writable address, flush, session close, where the next sessions start, test
// writes, and what the disc files hold afterwards.
#include <filesystem>

#include "tests/platform_scsi/writer_fixture.h"

namespace scsi_test {
namespace {

using platform::scsi::DiscKind;
using platform::scsi::DiscSession;
using platform::scsi::DiscStatus;

uint32_t be32(const Bytes& b, size_t at) {
  return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) |
         b[at + 3];
}

class CdRSession : public WriterTest {
 protected:
  void SetUp() override { makeDisc(DiscKind::CdR); }
  // Writes `sectors` at the invisible track's next writable address in
  // units of 27 sectors, flushes and closes the session.
  uint32_t writeSession(uint32_t sectors, uint8_t fill) {
    uint32_t start = be32(trackInfo(255).data, 12);
    for (uint32_t done = 0; done < sectors;) {
      uint16_t count = uint16_t(std::min<uint32_t>(27, sectors - done));
      EXPECT_TRUE(write(start + done, count, fill).good()) << start + done;
      done += count;
    }
    EXPECT_TRUE(sync().good());
    EXPECT_TRUE(close(2).good());
    return start;
  }
};

TEST_F(CdRSession, WritesOnlyAtTheNextWritableAddress) {
  ASSERT_TRUE(allowNextSession().good());
  ASSERT_TRUE(write(0, 27).good());
  EXPECT_EQ(write(0, 27).sense(), senseOf(5, 0x21, 0x02));
  EXPECT_EQ(write(28, 1).sense(), senseOf(5, 0x21, 0x02));
  ASSERT_TRUE(write(27, 27, 0x5A).good());
  Reply track = trackInfo(255);
  EXPECT_EQ(track.data[6], 0x01);  // no longer blank
  EXPECT_EQ(be32(track.data, 12), 54u);
  EXPECT_EQ(be32(track.data, 16), 359999u - 54);
  EXPECT_EQ(be32(track.data, 28), 53u);
  EXPECT_EQ(discInfo().data[2], 0x05);  // last session incomplete, disc incomplete
  // Nothing reaches the .toc before the session closes.
  EXPECT_EQ(savedDisc().status, DiscStatus::Blank);
  Reply back = read(27, 1);
  ASSERT_TRUE(back.good());
  EXPECT_EQ(back.data, Bytes(2048, 0x5A));
}

TEST_F(CdRSession, SessionsStartAfterTheGapsOfTheOnesBefore) {
  ASSERT_TRUE(allowNextSession().good());
  EXPECT_EQ(writeSession(1000, 1), 0u);
  EXPECT_EQ(savedDisc().sessions, (std::vector<DiscSession>{{0, 1000}}));
  EXPECT_EQ(savedDisc().status, DiscStatus::Appendable);
  EXPECT_EQ(writeSession(500, 2), 1000u + 11400);
  EXPECT_EQ(writeSession(10, 3), 12400u + 500 + 6900);
  auto disc = savedDisc();
  EXPECT_EQ(disc.sessions, (std::vector<DiscSession>{{0, 1000}, {12400, 500}, {19800, 10}}));

  // The TOC of three sessions, in LBA and MSF.
  Reply toc = readToc(0, false);
  EXPECT_EQ(toc.data, (Bytes{0, 34,   1,    3,    0, 0x14, 1,    0,    0, 0,    0,    0,
                             0, 0x14, 2,    0,    0, 0,    0x30, 0x70, 0, 0x14, 3,    0,
                             0, 0,    0x4D, 0x58, 0, 0x14, 0xAA, 0,    0, 0,    0x4D, 0x62}));
  Reply msf = readToc(0, true, 1);
  EXPECT_EQ(Bytes(msf.data.begin() + 4, msf.data.begin() + 12),
            (Bytes{0, 0x14, 1, 0, 0, 0, 2, 0}));  // 00:02:00
  Reply sessions = readToc(1, false);
  EXPECT_EQ(sessions.data, (Bytes{0, 10, 1, 3, 0, 0x14, 3, 0, 0, 0, 0x4D, 0x58}));
  Reply sessionsMsf = readToc(1, true);
  // 19 800 + 150 frames = 04:26:00.
  EXPECT_EQ(Bytes(sessionsMsf.data.begin() + 8, sessionsMsf.data.end()), (Bytes{0, 4, 26, 0}));

  // The disc reports three closed tracks and an invisible fourth.
  Reply info = discInfo();
  EXPECT_EQ(info.data[2], 0x01);  // last session empty, disc incomplete
  EXPECT_EQ(info.data[4], 4);
  Reply second = trackInfo(2);
  EXPECT_EQ(be32(second.data, 8), 12400u);
  EXPECT_EQ(be32(second.data, 24), 500u);
  EXPECT_EQ(second.data[7], 0x02);  // last recorded address valid, not writable
  EXPECT_EQ(be32(trackInfo(4).data, 8), 19810u + 6900);
  EXPECT_EQ(be32(in({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8).data, 0), 19809u);

  // What was written is in the image, sector for sector.
  Reply third = read(19800, 10);
  EXPECT_EQ(third.data, Bytes(10 * 2048, 3));
  EXPECT_EQ(std::filesystem::file_size(files().imagePath()), uint64_t(19810) * 2048);
  EXPECT_EQ(read(19810, 1).sense(), senseOf(5, 0x21, 0));
}

TEST_F(CdRSession, ClosingWithoutNextSessionClosesTheDisc) {
  writeSession(100, 1);  // the drive's own page 05h: multisession 00b
  EXPECT_EQ(savedDisc().status, DiscStatus::Closed);
  EXPECT_EQ(discInfo().data[2], 0x0E);  // complete session, complete disc
  EXPECT_EQ(trackInfo(255).sense(), senseOf(5, 0x24, 0));
  EXPECT_EQ(write(100 + 11400, 1).sense(), senseOf(5, 0x21, 0x02));
}

TEST_F(CdRSession, ClosingAnEmptySessionFinalisesAnAppendableDisc) {
  ASSERT_TRUE(allowNextSession().good());
  writeSession(50, 1);
  ASSERT_TRUE(selectWriteParameters(0x01, 0x04).good());
  EXPECT_TRUE(close(2).good());
  EXPECT_EQ(savedDisc().status, DiscStatus::Closed);
  EXPECT_EQ(savedDisc().sessions.size(), 1u);
}

TEST_F(CdRSession, TestWriteRecordsNothing) {
  ASSERT_TRUE(allowNextSession(true).good());
  ASSERT_TRUE(write(0, 27).good());
  ASSERT_TRUE(write(27, 27).good());
  EXPECT_EQ(write(0, 1).sense(), senseOf(5, 0x21, 0x02));  // the address still moves on
  EXPECT_TRUE(sync().good());
  EXPECT_TRUE(close(2).good());
  EXPECT_EQ(savedDisc().status, DiscStatus::Blank);
  EXPECT_TRUE(savedDisc().sessions.empty());
  EXPECT_EQ(std::filesystem::file_size(files().imagePath()), 0u);
  EXPECT_EQ(be32(trackInfo(255).data, 12), 0u);
}

TEST_F(WriterTest, PressedCdRomReadsAndRefusesWrites) {
  std::string image(3 * 2048 + 5, 'x');
  testing_support::writeFile(temp_ / "x.iso", image);
  platform::scsi::createDisc(files(), DiscKind::CdRom, std::nullopt, temp_ / "x.iso");
  Reply back = read(3, 1);
  ASSERT_TRUE(back.good());
  EXPECT_EQ(back.data[4], 'x');
  EXPECT_EQ(back.data[5], 0);  // padded
  EXPECT_EQ(write(4, 1).sense(), senseOf(7, 0x27, 0));
  EXPECT_EQ(readToc(4, true).sense(), senseOf(5, 0x24, 0));
  EXPECT_EQ(in({0x46, 0, 0, 0, 0, 0, 0, 0, 8, 0}, 8).data[7], 0x08);
  EXPECT_EQ(readToc(0, false).data,
            (Bytes{0, 18, 1, 1, 0, 0x14, 1, 0, 0, 0, 0, 0, 0, 0x14, 0xAA, 0, 0, 0, 0, 4}));
}

TEST_F(WriterTest, DvdPlusRwIsFormattedThenWrittenAnywhere) {
  makeDisc(DiscKind::DvdPlusRw);
  EXPECT_EQ(write(0, 16).sense(), senseOf(5, 0x30, 0x10));  // not formatted yet
  Bytes list(12, 0);
  list[3] = 8;
  list[4] = list[5] = list[6] = list[7] = 0xFF;
  list[8] = 0x26 << 2;
  ASSERT_TRUE(out({0x04, 0x11, 0, 0, 0, 0}, list).good());
  EXPECT_EQ(savedDisc().status, DiscStatus::Closed);
  ASSERT_TRUE(write(32, 16).good());
  ASSERT_TRUE(write(0, 16).good());
  ASSERT_TRUE(close(3, 255).good());
  EXPECT_EQ(savedDisc().sessions, (std::vector<DiscSession>{{0, 48}}));
  Reply formats = in({0x23, 0, 0, 0, 0, 0, 0, 0, 248, 0}, 248);
  ASSERT_EQ(formats.data.size(), 20u);
  EXPECT_EQ(formats.data[8], 0x02);        // formatted
  EXPECT_EQ(formats.data[16], 0x26 << 2);  // the format it can be given again
}

TEST_F(WriterTest, DvdSessionsFollowOnAnEccBlock) {
  makeDisc(DiscKind::DvdPlusR);
  ASSERT_TRUE(selectWriteParameters(0x22, 0xC4).good());
  ASSERT_TRUE(write(0, 20).good());
  ASSERT_TRUE(close(1, 1).good());
  ASSERT_TRUE(close(2, 255).good());
  EXPECT_EQ(be32(trackInfo(255).data, 8), 32u);
  EXPECT_EQ(be32(trackInfo(0).data, 12), 32u);  // track 0: the last track, here the invisible
}

}  // namespace
}  // namespace scsi_test
