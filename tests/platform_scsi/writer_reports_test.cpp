// The simulated writer's answers about a blank 80-minute CD-R and about its
// own abilities, byte for byte.
#include "tests/platform_scsi/writer_fixture.h"

namespace scsi_test {
namespace {

using platform::scsi::DiscKind;

class BlankCdR : public WriterTest {
 protected:
  void SetUp() override { makeDisc(DiscKind::CdR); }
};

Bytes head(const Bytes& bytes, size_t n) {
  return Bytes(bytes.begin(), bytes.begin() + n);
}

TEST_F(BlankCdR, TocAndSessionsAreRefusedWithoutASession) {
  for (bool msf : {false, true}) {
    EXPECT_EQ(readToc(0, msf).sense(), senseOf(5, 0x24, 0)) << msf;
    EXPECT_EQ(readToc(1, msf).sense(), senseOf(5, 0x24, 0)) << msf;
  }
}

TEST_F(BlankCdR, AtipGivesTheLeadOutOfAn80MinuteDisc) {
  for (bool msf : {false, true}) {
    Reply atip = readToc(4, msf);
    ASSERT_TRUE(atip.good());
    ASSERT_EQ(atip.data.size(), 32u);
    EXPECT_EQ(head(atip.data, 16),
              (Bytes{0x00, 0x1E, 0, 0, 0xD2, 0, 0x80, 0, 97, 27, 0, 0, 79, 59, 74, 0}));
    // The engine's capacity: minutes x 4500 + seconds x 75 + frames.
    EXPECT_EQ(atip.data[12] * 4500 + atip.data[13] * 75 + atip.data[14], 359999);
  }
}

TEST_F(BlankCdR, TrackOneAndTheInvisibleTrackAreTheWholeDisc) {
  const Bytes expected = {0x00, 0x2E, 1,    1,    0, 0x04, 0x41, 0x01,  // track 1, blank, NWA valid
                          0,    0,    0,    0,                          // track start 0
                          0,    0,    0,    0,                          // next writable address 0
                          0x00, 0x05, 0x7E, 0x3F,                       // free blocks 359 999
                          0,    0,    0,    0,                          // packet size
                          0x00, 0x05, 0x7E, 0x3F,                       // track size
                          0,    0,    0,    0,                          // last recorded address
                          0,    0,    0,    0,    0, 0,    0,    0};    // up to the 40 asked for
  EXPECT_EQ(trackInfo(1).data, expected);
  EXPECT_EQ(trackInfo(255).data, expected);
  EXPECT_EQ(trackInfo(2).sense(), senseOf(5, 0x24, 0));
}

TEST_F(BlankCdR, DiscInformationSaysEmpty) {
  Reply info = discInfo();
  ASSERT_TRUE(info.good());
  ASSERT_EQ(info.data.size(), 34u);
  EXPECT_EQ(head(info.data, 24),
            (Bytes{0x00, 0x20, 0x00, 1, 1, 1, 1, 0x20, 0x00, 0, 0, 0, 0, 0, 0, 0,  //
                   0,    97,   27,   0,      // lead-in of the first session
                   0,    79,   59,   74}));  // last possible lead-out
}

TEST_F(BlankCdR, CapacityAndFormatCapacities) {
  Reply capacity = in({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8);
  EXPECT_EQ(capacity.data, (Bytes{0, 0, 0, 0, 0, 0, 0x08, 0}));
  Reply formats = in({0x23, 0, 0, 0, 0, 0, 0, 0, 248, 0}, 248);
  EXPECT_EQ(formats.data, (Bytes{0, 0, 0, 8, 0x00, 0x05, 0x7E, 0x3F, 0x01, 0, 0x08, 0}));
}

TEST_F(BlankCdR, ConfigurationGivesProfileCdR) {
  Reply all = in({0x46, 0, 0, 0, 0, 0, 0, 0, 114, 0}, 114);
  ASSERT_TRUE(all.good());
  EXPECT_EQ(all.data[6], 0x00);
  EXPECT_EQ(all.data[7], 0x09);
  EXPECT_EQ(head(Bytes(all.data.begin() + 8, all.data.end()), 4), (Bytes{0, 0, 0x03, 28}));

  // One feature by request type 2: DVD+RW listed but not current for a CD.
  Reply plusRw = in({0x46, 2, 0x00, 0x2A, 0, 0, 0, 0, 114, 0}, 114);
  EXPECT_EQ(plusRw.data, (Bytes{0, 0, 0, 12, 0, 0, 0, 0x09, 0x00, 0x2A, 0x02, 4, 1, 0, 0, 0}));
  Reply minusR = in({0x46, 2, 0x00, 0x2F, 0, 0, 0, 0, 114, 0}, 114);
  ASSERT_EQ(minusR.data.size(), 16u);
  EXPECT_EQ(minusR.data[10] & 1, 0);  // not current
  // Track at once is current, with BUF and test write.
  Reply tao = in({0x46, 2, 0x00, 0x2D, 0, 0, 0, 0, 114, 0}, 114);
  EXPECT_EQ(tao.data[10], 0x03);
  EXPECT_EQ(tao.data[12], 0x46);
}

TEST_F(BlankCdR, CapabilitiesPageDefaultAndCurrent) {
  Reply defaults = modeSense(0x2A, 2);
  ASSERT_TRUE(defaults.good());
  const Bytes& d = defaults.data;
  ASSERT_EQ(d.size(), 8u + 48);
  EXPECT_EQ(head(d, 8), (Bytes{0, 54, 0, 0, 0, 0, 0, 0}));
  const Bytes page(d.begin() + 8, d.end());
  EXPECT_EQ(head(page, 8), (Bytes{0x2A, 46, 0x1F, 0x17, 0xF0, 0, 0x29, 0}));
  EXPECT_EQ((page[8] << 8) | page[9], 8467);    // maximum read speed
  EXPECT_EQ((page[12] << 8) | page[13], 2048);  // buffer, kB
  EXPECT_EQ((page[18] << 8) | page[19], 8467);  // maximum write speed
  EXPECT_EQ((page[28] << 8) | page[29], 8467);  // current write speed
  EXPECT_EQ((page[30] << 8) | page[31], 4);     // speed descriptors

  // SET CD SPEED 5000 kB/s: the drive takes its 24x (4234); defaults stay.
  ASSERT_TRUE(none({0xBB, 0, 0xFF, 0xFF, 0x13, 0x88, 0, 0, 0, 0, 0, 0}).good());
  const Bytes current = modeSense(0x2A, 0).data;
  EXPECT_EQ((current[8 + 28] << 8) | current[8 + 29], 4234);
  EXPECT_EQ((current[8 + 18] << 8) | current[8 + 19], 8467);
  const Bytes again = modeSense(0x2A, 2).data;
  EXPECT_EQ((again[8 + 28] << 8) | again[8 + 29], 8467);
}

TEST_F(BlankCdR, CapabilitiesFollowMachineIni) {
  config_.burnFree = false;
  config_.testWrite = false;
  const Bytes page = modeSense(0x2A, 2).data;
  EXPECT_EQ(page[8 + 3], 0x13);  // no test write
  EXPECT_EQ(page[8 + 4], 0x70);  // no BUF
}

TEST_F(BlankCdR, WriteParametersRoundTrip) {
  Reply before = modeSense(0x05, 0, 512);
  ASSERT_EQ(before.data.size(), 60u);
  EXPECT_EQ(head(before.data, 13), (Bytes{0, 58, 0, 0, 0, 0, 0, 0, 0x05, 0x32, 0x01, 0x04, 0x08}));

  ASSERT_TRUE(selectWriteParameters(0x51, 0xC4).good());  // BUFE, test write, multisession
  Reply after = modeSense(0x05, 0, 512);
  EXPECT_EQ(after.data[10], 0x51);
  EXPECT_EQ(after.data[11], 0xC4);
  EXPECT_EQ(after.data[23], 150);
  EXPECT_EQ(modeSense(0x05, 2, 512).data[10], 0x01);  // defaults untouched

  // Checked fields: write type, multisession, data block type, abilities.
  EXPECT_EQ(selectWriteParameters(0x03, 0x04).sense(), senseOf(5, 0x26, 0));  // raw
  EXPECT_EQ(selectWriteParameters(0x01, 0x84).sense(), senseOf(5, 0x26, 0));  // multisession 10b
  EXPECT_EQ(selectWriteParameters(0x01, 0x04, 0x0A).sense(), senseOf(5, 0x26, 0));
  EXPECT_EQ(modeSense(0x05, 0, 512).data[10], 0x51);  // a refused page changes nothing
  EXPECT_EQ(out({0x55, 0x00, 0, 0, 0, 0, 0, 0, 60, 0}, Bytes(60)).sense(), senseOf(5, 0x24, 0));
  Bytes truncated(40, 0);
  truncated[8] = 0x05;
  truncated[9] = 0x32;
  EXPECT_EQ(out({0x55, 0x10, 0, 0, 0, 0, 0, 0, 40, 0}, truncated).sense(), senseOf(5, 0x1A, 0));
  EXPECT_EQ(modeSense(0x05, 3).sense(), senseOf(5, 0x39, 0));
  EXPECT_EQ(modeSense(0x30).sense(), senseOf(5, 0x24, 0));
}

TEST_F(BlankCdR, WriteParametersRefuseWhatTheDriveCannot) {
  config_.burnFree = false;
  config_.testWrite = false;
  EXPECT_EQ(selectWriteParameters(0x41, 0x04).sense(), senseOf(5, 0x26, 0));
  EXPECT_EQ(selectWriteParameters(0x11, 0x04).sense(), senseOf(5, 0x26, 0));
  EXPECT_TRUE(selectWriteParameters(0x01, 0x04).good());
}

TEST_F(BlankCdR, InquiryAndSmallCommands) {
  config_.vendor = "PLEXTOR";
  config_.product = "CD-R   PX-W4824A";
  config_.revision = "1.04";
  Reply inquiry = in({0x12, 0, 0, 0, 96, 0}, 128);
  ASSERT_EQ(inquiry.data.size(), 96u);
  EXPECT_EQ(head(inquiry.data, 5), (Bytes{0x05, 0x80, 0x05, 0x02, 91}));
  EXPECT_EQ(std::string(inquiry.data.begin() + 8, inquiry.data.begin() + 36),
            "PLEXTOR CD-R   PX-W4824A1.04");
  EXPECT_TRUE(testUnitReady().good());
  EXPECT_EQ(requestSense().data, (Bytes{0x70, 0, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  Reply buffer = in({0x5C, 0, 0, 0, 0, 0, 0, 0, 32, 0}, 32);
  EXPECT_EQ(buffer.data, (Bytes{0, 10, 0, 0, 0, 0x20, 0, 0, 0, 0x20, 0, 0}));
  EXPECT_TRUE(none({0x01, 0, 0, 0, 0, 0}).good());                // REZERO UNIT
  EXPECT_TRUE(none({0x54, 1, 0, 0, 0, 0, 0, 0, 0, 0}).good());    // SEND OPC
  EXPECT_TRUE(none({0x53, 0, 0, 0, 0, 0, 0, 0, 100, 0}).good());  // RESERVE TRACK
  EXPECT_EQ(none({0xD8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).sense(), senseOf(5, 0x20, 0));
  EXPECT_EQ(none({0x2A, 0, 0}).sense(), senseOf(5, 0x24, 0));  // short command block
  EXPECT_EQ(readToc(7, false).sense(), senseOf(5, 0x24, 0));
  EXPECT_EQ(none({0xA1, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).sense(), senseOf(5, 0x30, 0x06));
}

TEST_F(WriterTest, OtherDiscKinds) {
  makeDisc(DiscKind::DvdPlusR, std::nullopt, "plusr");
  makeDisc(DiscKind::DvdR, std::nullopt, "minusr");
  inserted_ = "plusr";
  Reply config = in({0x46, 1, 0, 0, 0, 0, 0, 0, 114, 0}, 114);
  EXPECT_EQ(config.data[7], 0x1B);
  EXPECT_EQ(readToc(4, true).sense(), senseOf(5, 0x24, 0));  // no ATIP on a DVD
  EXPECT_EQ(modeSense(0x2A, 2).data[8 + 19], uint8_t(11080 & 0xFF));
  inserted_ = "minusr";
  EXPECT_EQ(testUnitReady().sense(), senseOf(6, 0x28, 0));
  Reply minus = in({0x46, 2, 0x00, 0x2F, 0, 0, 0, 0, 114, 0}, 114);
  EXPECT_EQ(minus.data[7], 0x11);
  EXPECT_EQ(minus.data[10], 0x03);  // DVD-R write is current
  inserted_.reset();
  EXPECT_EQ(in({0x46, 0, 0, 0, 0, 0, 0, 0, 8, 0}, 8).data[7], 0x00);  // no disc, no profile
}

}  // namespace
}  // namespace scsi_test
