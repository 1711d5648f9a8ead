// The simulated writer's faults from machine.ini, blanking with progress on
// the manual clock, and disc changes.
#include <chrono>

#include "tests/platform_scsi/writer_fixture.h"

namespace scsi_test {
namespace {

using platform::CdromFault;
using platform::scsi::DiscKind;
using platform::scsi::DiscStatus;

class Faults : public WriterTest {
 protected:
  void SetUp() override { makeDisc(DiscKind::CdR); }
  void fault(CdromFault::Kind kind, uint64_t value = 0) { config_.faults.push_back({kind, value}); }
};

TEST_F(Faults, UnderrunSpoilsTheTrackWithoutProtection) {
  fault(CdromFault::Kind::Underrun, 40);
  ASSERT_TRUE(selectWriteParameters(0x01, 0xC4).good());  // BUFE off
  ASSERT_TRUE(write(0, 27).good());
  EXPECT_EQ(write(27, 27).sense(), senseOf(3, 0x0C, 0x09));
  EXPECT_EQ(write(27, 27).sense(), senseOf(3, 0x0C, 0x09));  // the track stays spoilt
  ASSERT_TRUE(close(2).good());
  EXPECT_EQ(savedDisc().status, DiscStatus::Closed);  // no further session on a coaster
}

TEST_F(Faults, UnderrunIsAbsorbedWithBurnFree) {
  fault(CdromFault::Kind::Underrun, 40);
  ASSERT_TRUE(selectWriteParameters(0x41, 0xC4).good());  // BUFE on
  ASSERT_TRUE(write(0, 27).good());
  ASSERT_TRUE(write(27, 27).good());
  EXPECT_EQ(writer().absorbedUnderruns(), 1u);
}

TEST_F(Faults, UnderrunIsNotAbsorbedWhenTheDriveHasNoBurnFree) {
  config_.burnFree = false;
  fault(CdromFault::Kind::Underrun, 0);
  EXPECT_EQ(write(0, 1).sense(), senseOf(3, 0x0C, 0x09));
}

TEST_F(Faults, WriteErrorAndRemovedDisc) {
  fault(CdromFault::Kind::WriteError, 27);
  fault(CdromFault::Kind::Removed, 60);
  ASSERT_TRUE(write(0, 27).good());
  EXPECT_EQ(write(27, 27).sense(), senseOf(3, 0x0C, 0));
  EXPECT_EQ(savedDisc().status, DiscStatus::Blank);
  writer_.reset();  // a fresh drive: write up to the removal
  config_.faults = {{CdromFault::Kind::Removed, 60}};
  ASSERT_TRUE(write(0, 54).good());
  EXPECT_EQ(write(54, 27).sense(), senseOf(2, 0x3A, 0));
  EXPECT_EQ(testUnitReady().sense(), senseOf(2, 0x3A, 0x02));  // the tray is open
}

TEST_F(Faults, UnreadableSector) {
  fault(CdromFault::Kind::Unreadable, 5);
  ASSERT_TRUE(write(0, 27).good());
  EXPECT_TRUE(read(0, 5).good());
  EXPECT_EQ(read(4, 2).sense(), senseOf(3, 0x11, 0));
}

TEST_F(Faults, NotReadyForTheFirstCommands) {
  fault(CdromFault::Kind::NotReady, 2);
  EXPECT_TRUE(in({0x12, 0, 0, 0, 36, 0}, 36).good());  // INQUIRY is always answered
  EXPECT_EQ(testUnitReady().sense(), senseOf(2, 0x04, 0x01));
  EXPECT_EQ(requestSense().sense(), senseOf(0, 0, 0));  // reply bytes, not status
  EXPECT_EQ(platform::scsi::readFixedSense(requestSense().data.data(), 18), senseOf(2, 4, 1));
  EXPECT_EQ(discInfo().sense(), senseOf(2, 0x04, 0x01));
  EXPECT_TRUE(testUnitReady().good());
}

TEST_F(Faults, BusyForTheFirstWrites) {
  fault(CdromFault::Kind::Busy, 2);
  EXPECT_TRUE(testUnitReady().good());
  EXPECT_EQ(write(0, 27).sense(), senseOf(2, 0x04, 0x08));
  EXPECT_EQ(write(0, 27).sense(), senseOf(2, 0x04, 0x08));
  EXPECT_TRUE(write(0, 27).good());
}

TEST_F(Faults, SyncAndCloseErrors) {
  fault(CdromFault::Kind::SyncError);
  fault(CdromFault::Kind::CloseError);
  ASSERT_TRUE(write(0, 27).good());
  EXPECT_EQ(sync().sense(), senseOf(3, 0x0C, 0));
  EXPECT_EQ(close(2).sense(), senseOf(3, 0x72, 0));
  EXPECT_EQ(savedDisc().status, DiscStatus::Blank);  // no session was closed
}

class Blanking : public WriterTest {
 protected:
  void SetUp() override {
    config_.quickBlankSeconds = 150;
    config_.fullBlankSeconds = 4500;
    makeDisc(DiscKind::CdRw);
    ASSERT_TRUE(write(0, 100).good());
    ASSERT_TRUE(close(2).good());
    ASSERT_EQ(savedDisc().status, DiscStatus::Closed);
  }
  Reply blank(bool full, bool immediate) {
    uint8_t byte1 = uint8_t((full ? 0 : 1) | (immediate ? 0x10 : 0));
    return none({0xA1, byte1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  }
};

TEST_F(Blanking, QuickBlankReportsProgressUntilDone) {
  const auto wallStart = std::chrono::steady_clock::now();
  ASSERT_TRUE(blank(false, true).good());
  // Not ready, operation in progress, with the progress in the sense.
  EXPECT_EQ(testUnitReady().sense(), (platform::scsi::Sense{2, 0x04, 0x07, 0}));
  EXPECT_EQ(discInfo().sense(), (platform::scsi::Sense{2, 0x04, 0x07, 0}));
  clock_.advance(75000);
  auto half = platform::scsi::readFixedSense(requestSense().data.data(), 18);
  EXPECT_EQ(half.key, 2);
  EXPECT_EQ(half.asc, 0x04);
  EXPECT_EQ(half.ascq, 0x07);
  EXPECT_EQ(half.progress, 32768);
  // Poll as the erase thread does, one second at a time on the clock.
  int polls = 0;
  while (!testUnitReady().good() && polls < 1000) {
    clock_.sleepMs(1000);
    ++polls;
  }
  EXPECT_EQ(polls, 75);
  EXPECT_EQ(savedDisc().status, DiscStatus::Blank);
  EXPECT_EQ(discInfo().data[2], 0x10);  // erasable, empty
  EXPECT_EQ(platform::scsi::readFixedSense(requestSense().data.data(), 18), senseOf(0, 0, 0));
  EXPECT_LT(std::chrono::steady_clock::now() - wallStart, std::chrono::seconds(5));
}

TEST_F(Blanking, FullBlankWithoutImmediateTakesItsTime) {
  const uint64_t before = clock_.nowMs();
  ASSERT_TRUE(blank(true, false).good());
  EXPECT_EQ(clock_.nowMs() - before, 4500000u);
  EXPECT_EQ(savedDisc().sessions.size(), 0u);
}

TEST_F(Blanking, BlankErrorLeavesTheDiscAndSaysSo) {
  writer_.reset();
  config_.faults = {{CdromFault::Kind::BlankError, 0}};
  ASSERT_TRUE(blank(false, true).good());
  clock_.advance(150000);
  EXPECT_EQ(testUnitReady().sense(), senseOf(3, 0x51, 0));
  EXPECT_TRUE(testUnitReady().good());
  EXPECT_EQ(savedDisc().status, DiscStatus::Closed);
  EXPECT_EQ(blank(false, false).sense(), senseOf(3, 0x51, 0));
}

TEST_F(WriterTest, DiscChangesAndTheTray) {
  inserted_.reset();
  EXPECT_EQ(testUnitReady().sense(), senseOf(2, 0x3A, 0x01));
  EXPECT_EQ(discInfo().sense(), senseOf(2, 0x3A, 0x01));
  inserted_ = "disc";  // a name without its files is still an empty tray
  EXPECT_EQ(testUnitReady().sense(), senseOf(2, 0x3A, 0x01));
  makeDisc(DiscKind::CdR);
  EXPECT_EQ(testUnitReady().sense(), senseOf(6, 0x28, 0));  // once
  EXPECT_TRUE(testUnitReady().good());

  // Eject and load by START STOP UNIT; a locked tray stays shut.
  ASSERT_TRUE(none({0x1E, 0, 0, 0, 1, 0}).good());
  EXPECT_EQ(none({0x1B, 0, 0, 0, 2, 0}).sense(), senseOf(5, 0x53, 0x02));
  ASSERT_TRUE(none({0x1E, 0, 0, 0, 0, 0}).good());
  ASSERT_TRUE(none({0x1B, 0, 0, 0, 2, 0}).good());
  EXPECT_EQ(testUnitReady().sense(), senseOf(2, 0x3A, 0x02));
  ASSERT_TRUE(none({0x1B, 0, 0, 0, 3, 0}).good());
  EXPECT_EQ(requestSense().data[2], 6);  // REQUEST SENSE reports the change and clears it
  EXPECT_TRUE(testUnitReady().good());

  // Another disc inserted by the machine.
  makeDisc(DiscKind::CdRw, std::nullopt, "other");
  inserted_ = "other";
  EXPECT_EQ(discInfo().sense(), senseOf(6, 0x28, 0));
  EXPECT_EQ(discInfo().data[2], 0x10);
}

TEST_F(WriterTest, BadTocReadsAsAnUnknownFormat) {
  testing_support::writeFile(temp_ / "disc.toc", "kind cd-r\nstatus bent\n");
  EXPECT_EQ(testUnitReady().sense(), senseOf(2, 0x30, 0x01));
  EXPECT_NE(writer().discError().find("disc.toc line 2: unknown status 'bent'"), std::string::npos)
      << writer().discError();
}

}  // namespace
}  // namespace scsi_test
