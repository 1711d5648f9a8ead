// The MMC layer on a scripted drive: disc types, sessions, capacities and
// addresses, capabilities, write parameters, the session close and blank.

#include <gtest/gtest.h>

#include <cstring>

#include "cdengine/DiscTypes.h"
#include "tests/cdengine_mmc/rig.h"

namespace cdengine_test {
namespace {

using cdengine::DebugType;
namespace capability = cdengine::capability;

constexpr uint8_t kModeSense = 0x5A;
constexpr uint8_t kModeSelect = 0x55;

// A write parameters page as a drive returns it, multisession field `ms`.
std::vector<uint8_t> page05(uint8_t ms) {
  std::vector<uint8_t> page(52, 0);
  page[0] = 0x05;
  page[1] = 0x32;
  page[2] = 0x01;
  page[3] = static_cast<uint8_t>(ms << 6 | 0x04);
  page[4] = 0x08;
  return page;
}

// A capabilities page: read and write bits, byte 4, maximum speeds.
std::vector<uint8_t> page2A(uint8_t read, uint8_t write, uint8_t byte4, uint16_t maxRead,
                            uint16_t maxWrite, uint16_t currentRead = 0,
                            uint16_t currentWrite = 0) {
  std::vector<uint8_t> page(32, 0);
  page[0] = 0x2A;
  page[1] = 30;
  page[2] = read;
  page[3] = write;
  page[4] = byte4;
  page[8] = static_cast<uint8_t>(maxRead >> 8);
  page[9] = static_cast<uint8_t>(maxRead);
  page[14] = static_cast<uint8_t>(currentRead >> 8);
  page[15] = static_cast<uint8_t>(currentRead);
  page[18] = static_cast<uint8_t>(maxWrite >> 8);
  page[19] = static_cast<uint8_t>(maxWrite);
  page[20] = static_cast<uint8_t>(currentWrite >> 8);
  page[21] = static_cast<uint8_t>(currentWrite);
  return page;
}

// The page bytes a MODE SELECT carried, after its 8-byte header.
std::vector<uint8_t> selectedPage(const ScriptedDrive& drive) {
  const auto& sent = drive.last(kModeSelect);
  EXPECT_EQ(sent.data.size(), 60u);
  EXPECT_EQ(sent.cdb[1], 0x10);
  EXPECT_EQ(sent.cdb[8], 60);
  if (sent.data.size() != 60) return std::vector<uint8_t>(52);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(sent.data[i], 0) << i;
  return {sent.data.begin() + 8, sent.data.end()};
}

// A CD-R writer: profile `profile`, an 80-minute ATIP, page 05h as given.
void scriptCdWriter(ScriptedDrive& drive, uint16_t profile = 0x0009, uint8_t ms = 0) {
  drive.on(0x00, good());
  drive.on(0x46, 0, good(configurationReply(profile)));
  drive.on(0x43, 4, good(atipReply(79, 59, 74, profile == 0x000A)));
  drive.on(kModeSense, 0x05, good(modeReply(page05(ms))));
  drive.on(kModeSelect, good());
  std::vector<uint8_t> noSense(18, 0);
  noSense[0] = 0x70;
  drive.on(0x03, good(noSense));
}

TEST(MmcDisc, BlankCdR) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(0x51, good(discReply(0, 0, false, 1)));
  rig.drive.on(0x52, 1, good(trackReply(1, 0, 0, 359849, 359849)));
  rig.start();
  EXPECT_EQ(rig.burner->SessionCount(), 0);
  EXPECT_EQ(rig.burner->UsedSectors(), 0u);
  EXPECT_EQ(rig.burner->Capacity(), 359999u);
  EXPECT_EQ(rig.burner->SessionStart(), 0u);
  // READ TRACK INFORMATION by track number 1, allocation 40.
  const auto& track = rig.drive.last(0x52).cdb;
  EXPECT_EQ(track[1], 1);
  EXPECT_EQ(track[5], 1);
  EXPECT_EQ(track[8], 40);
}

TEST(MmcDisc, OneClosedSessionOf1000Sectors) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(0x51, good(discReply(1, 0, false, 2)));
  rig.drive.on(0x52, 1, good(trackReply(1, 0, 0xFFFFFFFF, 0, 1000)));
  rig.drive.on(0x52, 2, good(trackReply(2, 12400, 12400, 347599, 347599)));
  std::vector<uint8_t> toc(20, 0);
  toc[1] = 18;
  toc[2] = 1;
  toc[3] = 2;
  rig.drive.on(0x43, 0, good(toc));
  rig.start();
  EXPECT_EQ(rig.burner->SessionCount(), 1);
  EXPECT_EQ(rig.burner->SessionStart(), 12400u);
  EXPECT_EQ(rig.burner->UsedSectors(), 12400u);
  EXPECT_EQ(rig.burner->sessionCount(), 1);
  EXPECT_EQ(rig.burner->nextWritableAddress(), 12400u);
  EXPECT_EQ(rig.burner->firstTrackStart(1), 0u);
  EXPECT_EQ(rig.burner->firstTrackStart(2), 12400u);
  EXPECT_FALSE(rig.burner->firstTrackStart(3));
}

TEST(MmcDisc, NoNextWritableAddressIsReported) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.start();  // READ DISC INFORMATION is not scripted: it fails
  EXPECT_EQ(rig.burner->SessionStart(), 0u);
  EXPECT_EQ(textsOf(rig.messages, DebugType::Command),
            (std::vector<std::string>{">>> ERROR GETTING NEXT WRITABLE ADDRESS"}));
}

TEST(MmcDisc, ProfileGivesTypeAndName) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x0009);
  rig.drive.on(0x51, good(discReply(0, 0, false, 1)));
  rig.drive.on(0x52, good(trackReply(1, 0, 0, 359849, 359849)));
  rig.start();
  EXPECT_EQ(rig.burner->GetDiscType(), 2);
  EXPECT_STREQ(cdengine::discTypeName(rig.burner->GetDiscType()), "CD-R");
  EXPECT_EQ(rig.burner->discType(), cdengine::DiscType::CdR);
  const cdengine::TDisc disc = rig.burner->GetDiscInfo();
  EXPECT_TRUE(disc.valid);
  EXPECT_EQ(disc.name, "CD-R");
  EXPECT_EQ(disc.profile, 0x0009);
  EXPECT_EQ(disc.status, cdengine::DiscStatus::Empty);
  EXPECT_EQ(disc.capacity, 359849u);
  EXPECT_EQ(disc.sectorSize, 2048u);
}

TEST(MmcDisc, TypeFallbacksWithoutAProfile) {
  {
    BurnerRig rig;
    rig.drive.on(0x43, 4, good(atipReply(79, 59, 74, true)));
    rig.start();
    EXPECT_EQ(rig.burner->GetDiscType(), 3);
  }
  {
    BurnerRig rig;
    std::vector<uint8_t> noAtip(28, 0);
    noAtip[1] = 26;
    rig.drive.on(0x43, 4, good(noAtip));
    rig.start();
    EXPECT_EQ(rig.burner->GetDiscType(), 1);
  }
  {
    BurnerRig rig;
    rig.drive.on(0x51, good(discReply(2, 3, true, 1)));
    rig.start();
    EXPECT_EQ(rig.burner->GetDiscType(), 3);
    EXPECT_TRUE(rig.burner->IsErasable());
  }
  {
    BurnerRig rig;
    rig.drive.on(0x00, good());
    rig.start();
    EXPECT_EQ(rig.burner->GetDiscType(), 1);
    EXPECT_FALSE(rig.burner->IsErasable());
  }
  {
    BurnerRig rig;
    rig.start();
    EXPECT_EQ(rig.burner->GetDiscType(), 0);
    EXPECT_FALSE(rig.burner->GetDiscInfo().valid);
  }
}

TEST(MmcWriteParameters, MultisessionOpenUnlessFinalized) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x0009, 3);
  rig.start();
  ASSERT_TRUE(rig.burner->SetWriteParameters(false, false, 2));
  auto page = selectedPage(rig.drive);
  EXPECT_EQ(page[0], 0x05);
  EXPECT_EQ(page[1], 0x32);
  EXPECT_EQ(page[2], 0x01);  // track at once
  EXPECT_EQ(page[3], 0xC4);  // multisession 11b, track mode 4
  EXPECT_EQ(page[4], 0x08);
  EXPECT_EQ(page[5], 0);
  EXPECT_EQ(page[14], 0);
  EXPECT_EQ(page[15], 150);

  rig.burner->FinalizeDisc = true;
  ASSERT_TRUE(rig.burner->SetWriteParameters(false, false, 2));
  EXPECT_EQ(selectedPage(rig.drive)[3], 0x04);  // 11b from the drive becomes 00b

  rig.burner->FinalizeDisc = false;
  ASSERT_TRUE(rig.burner->SetWriteParameters(true, false, 2));
  EXPECT_EQ(selectedPage(rig.drive)[3], 0x04);  // a test write closes too
}

TEST(MmcWriteParameters, DvdColumnsAndDvdRamUntouched) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x0011);
  rig.start();
  ASSERT_TRUE(rig.burner->SetWriteParameters(false, false, 5));
  auto page = selectedPage(rig.drive);
  EXPECT_EQ(page[2], 0x20);  // 60h without buffer-underrun protection
  EXPECT_EQ(page[3], 0xE5);
  EXPECT_EQ(page[5], 16);
  EXPECT_EQ(page[13], 16);
  ASSERT_TRUE(rig.burner->SetWriteParameters(false, false, 11));
  page = selectedPage(rig.drive);
  EXPECT_EQ(page[2], 0x22);
  EXPECT_EQ(page[3], 0xC4);
  EXPECT_EQ(page[5], 0);
  const int selects = rig.drive.count(kModeSelect);
  EXPECT_TRUE(rig.burner->SetWriteParameters(false, false, 6));
  EXPECT_EQ(rig.drive.count(kModeSelect), selects);
}

TEST(MmcWriteParameters, UnderrunProtectionAndTestWriteOnlyWhenCapable) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(kModeSense, 0xAA, good(modeReply(page2A(0x03, 0x03, 0x00, 4234, 2822))));
  rig.start();
  EXPECT_FALSE(rig.burner->capable(capability::BufferUnderrunFree));
  ASSERT_TRUE(rig.burner->SetWriteParameters(true, true, 2));
  EXPECT_EQ(selectedPage(rig.drive)[2] & 0x50, 0);  // neither BUFE nor test write

  BurnerRig capable;
  scriptCdWriter(capable.drive);
  capable.drive.on(kModeSense, 0xAA, good(modeReply(page2A(0x03, 0x07, 0x80, 4234, 2822))));
  capable.start();
  ASSERT_TRUE(capable.burner->SetWriteParameters(true, true, 2));
  EXPECT_EQ(selectedPage(capable.drive)[2], 0x51);
  ASSERT_TRUE(capable.burner->SetWriteParameters(false, false, 2));
  EXPECT_EQ(selectedPage(capable.drive)[2], 0x01);
}

TEST(MmcWriteParameters, QuirkBSetsBitFive) {
  BurnerRig rig;
  rig.drive.setInquiry("YAMAHA", "CRX175E", "1.0");
  scriptCdWriter(rig.drive);
  rig.start();
  ASSERT_TRUE(rig.burner->SetWriteParameters(false, false, 2));
  EXPECT_EQ(selectedPage(rig.drive)[2], 0x21);
}

TEST(MmcCapabilities, FlagsAndSpeeds) {
  BurnerRig rig;
  // Page behind a block descriptor (at 16), DVD-R read and write, BUFE.
  std::vector<uint8_t> withDescriptor = modeReply(page2A(0x1F, 0x17, 0x80, 0, 5540));
  withDescriptor.insert(withDescriptor.begin() + 8, 8, 0);
  rig.drive.on(kModeSense, 0xAA, good(withDescriptor));
  rig.drive.on(kModeSense, 0x2A, good(modeReply(page2A(0x1F, 0x17, 0x80, 0, 0, 7056, 0))));
  rig.drive.on(0x46, 0x2A, good(configurationReply(0, 0x002A, true)));
  rig.drive.on(0x46, 0x2F, good(configurationReply(0, 0x0030, true)));
  rig.start();
  const uint32_t flags = rig.burner->Capabilities;
  for (int bit : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 15, 16, 18})
    EXPECT_TRUE(flags >> bit & 1) << bit;
  for (int bit : {6, 14, 17}) EXPECT_FALSE(flags >> bit & 1) << bit;
  EXPECT_EQ(rig.burner->DeviceCurrentReadSpeed, 7056u);
  EXPECT_EQ(rig.burner->DeviceCurrentWriteSpeed, 1385u);  // 0 counts as 1385
  EXPECT_EQ(rig.burner->DeviceMaxReadSpeed, 7056u);       // at least the current
  EXPECT_EQ(rig.burner->DeviceMaxWriteSpeed, 5540u);
}

TEST(MmcCapabilities, VendorPageAndQuirkAGiveUnderrunProtection) {
  BurnerRig rig;
  std::vector<uint8_t> vendor(20, 0);
  vendor[16] = '0';
  rig.drive.on(kModeSense, 0x30, good(vendor));
  rig.start();
  EXPECT_TRUE(rig.burner->capable(capability::BufferUnderrunFree));

  BurnerRig teac;
  teac.drive.setInquiry("TEAC", "CD-W512EB", "1.0");
  teac.start();
  EXPECT_TRUE(teac.burner->capable(capability::BufferUnderrunFree));
  EXPECT_EQ(teac.burner->DeviceMaxWriteSpeed, 1385u);
}

TEST(MmcClose, RetriesWhileBecomingReady) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(0x5B, failing(2, 0x04, 0x08))
      .on(0x5B, failing(2, 0x04, 0x08))
      .on(0x5B, failing(2, 0x04, 0x08))
      .on(0x5B, good());
  rig.start();
  const uint64_t slept = rig.clock.sleptMs();
  EXPECT_TRUE(rig.burner->CloseSession(2, 1, true));
  EXPECT_EQ(rig.drive.count(0x5B), 4);
  EXPECT_EQ(rig.clock.sleptMs() - slept, 3000u);
  const auto& close = rig.drive.last(0x5B).cdb;
  EXPECT_EQ(close[1], 0);
  EXPECT_EQ(close[2], 2);
  EXPECT_EQ(close[5], 0);
}

TEST(MmcClose, GivesUpAfterAThousandTries) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(0x5B, failing(2, 0x04, 0x07));
  rig.start();
  EXPECT_FALSE(rig.burner->CloseSession(2, 1, true));
  EXPECT_EQ(rig.drive.count(0x5B), 1000);
}

TEST(MmcClose, OtherFailureOnceMoreAndVanishedDriveAtOnce) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(0x5B, failing(5, 0x2C, 0x00));
  rig.start();
  EXPECT_FALSE(rig.burner->CloseSession(2, 1, true));
  EXPECT_EQ(rig.drive.count(0x5B), 2);

  BurnerRig gone;
  scriptCdWriter(gone.drive);
  ScriptedReply vanished;
  vanished.error = 55;
  gone.drive.on(0x5B, vanished);
  gone.start();
  EXPECT_FALSE(gone.burner->CloseSession(2, 1, true));
  EXPECT_EQ(gone.drive.count(0x5B), 1);
  EXPECT_EQ(gone.burner->LastError(), "NO DEVICE");
}

TEST(MmcClose, PerDiscTypeAndNothingAfterATestWrite) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x0011);
  rig.drive.on(0x5B, good());
  rig.start();
  EXPECT_TRUE(rig.burner->CloseSession(5, 1, true));  // DVD-R: 1, 1, 2
  ASSERT_EQ(rig.drive.count(0x5B), 3);
  EXPECT_EQ(rig.drive.count(kModeSelect), 0);
  EXPECT_EQ(rig.drive.last(0x5B).cdb[2], 2);
  EXPECT_EQ(rig.drive.last(0x5B).cdb[5], 3);
  EXPECT_TRUE(rig.burner->CloseSession(8, 1, true));  // DVD-RW: 2, immediate
  EXPECT_EQ(rig.drive.last(0x5B).cdb[1], 1);
  EXPECT_TRUE(rig.burner->CloseSession(10, 1, true));  // DVD+RW: 3, track 255
  EXPECT_EQ(rig.drive.last(0x5B).cdb[2], 3);
  EXPECT_EQ(rig.drive.last(0x5B).cdb[5], 255);
  const int closes = rig.drive.count(0x5B);
  rig.burner->TestWrite = true;
  EXPECT_TRUE(rig.burner->CloseSession(2, 1, true));
  rig.burner->TestWrite = false;
  EXPECT_TRUE(rig.burner->CloseSession(6, 1, true));
  EXPECT_TRUE(rig.burner->CloseSession(2, 1, false));
  EXPECT_EQ(rig.drive.count(0x5B), closes);
}

TEST(MmcCommands, SpeedsBufferAndBlocks) {
  BurnerRig rig;
  std::vector<uint8_t> buffer(12, 0);
  buffer[5] = 0x20;  // 2 MiB buffer
  buffer[8] = buffer[9] = buffer[10] = buffer[11] = 0xFF;
  rig.drive.on(0xBB, good()).on(0x5C, good(buffer)).on(0x2A, good());
  rig.start();
  EXPECT_TRUE(rig.burner->SetSpeed(0, 1764));
  const auto& speed = rig.drive.last(0xBB).cdb;
  EXPECT_EQ(speed[2], 0xFF);
  EXPECT_EQ(speed[3], 0xFF);
  EXPECT_EQ(speed[4] << 8 | speed[5], 1764);
  EXPECT_TRUE(rig.burner->ReadBufferCapacity());
  EXPECT_EQ(rig.burner->DeviceBufferSize, 0x200000u);
  EXPECT_EQ(rig.burner->DeviceFreeBufferSize, 0x200000u);

  std::vector<uint8_t> blocks(2 * 2048, 0xAB);
  EXPECT_TRUE(rig.burner->WriteBlocks(0x12345, 2, blocks.data()));
  const auto& write = rig.drive.last(0x2A);
  EXPECT_EQ(write.cdb[3] << 16 | write.cdb[4] << 8 | write.cdb[5], 0x12345);
  EXPECT_EQ(write.cdb[8], 2);
  EXPECT_EQ(write.data, blocks);

  BurnerRig failing;
  failing.start();
  failing.burner->DeviceFreeBufferSize = 7;
  EXPECT_FALSE(failing.burner->ReadBufferCapacity());
  EXPECT_EQ(failing.burner->DeviceFreeBufferSize, 0u);
}

TEST(MmcCommands, NothingPassesWithoutASelectedDevice) {
  BurnerRig rig;
  rig.drive.on(0x2A, good());
  ASSERT_TRUE(rig.burner->InitInterface(true));
  rig.burner->SelectDevice("");
  std::vector<uint8_t> block(2048);
  EXPECT_FALSE(rig.burner->WriteBlocks(0, 1, block.data()));
  EXPECT_FALSE(rig.burner->TestUnitReady(5000));
  EXPECT_EQ(rig.drive.count(0x2A), 0);
}

TEST(MmcErase, QuickBlankOfACdRw) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x000A);
  rig.drive.on(0x1B, good()).on(0xBB, good()).on(0xA1, good());
  rig.start();
  rig.burner->WriteSpeed = 4234;
  EXPECT_TRUE(rig.burner->StartErase(true));
  EXPECT_TRUE(rig.burner->Erasing);
  // The erase thread runs till its OnEraseDone has run here.
  while (rig.burner->Erasing) rig.burner->ProcessMainThreadCalls();
  EXPECT_EQ(rig.drive.last(0xA1).cdb[1], 0x11);  // minimal, immediate
  // First the start; the interface's own texts follow when the erase thread
  // initialises it again after the blank.
  const auto texts = textsOf(rig.messages, DebugType::Info);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0], ">>> STARTING ERASE PROCESS ON CD-RW AT 24X(4,234 KB/s)");
  EXPECT_EQ(texts[1], ">>> SPTIASPI");
}

TEST(MmcErase, RefusedBlankReportsTheEnd) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x000A);
  rig.drive.on(0x1B, good()).on(0xBB, good()).on(0xA1, failing(5, 0x30, 0x00));
  rig.start();
  std::vector<bool> ends;
  rig.burner->OnEraseDone = [&](bool failed) { ends.push_back(failed); };
  EXPECT_FALSE(rig.burner->StartErase(false));
  EXPECT_FALSE(rig.burner->Erasing);
  EXPECT_EQ(rig.drive.last(0xA1).cdb[1], 0x10);  // whole disc, immediate
  EXPECT_EQ(ends, (std::vector<bool>{true}));
}

TEST(MmcTray, EjectLoadLockAndReset) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.on(0x1B, good()).on(0x1E, good()).on(0x01, good()).on(0xBB, good());
  rig.start();
  EXPECT_TRUE(rig.burner->Eject());
  EXPECT_EQ(rig.drive.last(0x1B).cdb[4], 2);
  EXPECT_TRUE(rig.burner->Load());
  EXPECT_EQ(rig.drive.last(0x1B).cdb[4], 3);
  EXPECT_TRUE(rig.burner->LockTray(true));
  EXPECT_EQ(rig.drive.last(0x1E).cdb[4], 1);
  rig.burner->ResetDrive();
  EXPECT_EQ(rig.drive.last(0x1E).cdb[4], 0);
  EXPECT_EQ(rig.drive.count(0x01), 2);
  EXPECT_EQ(rig.drive.last(0xBB).cdb[5], 2);
  EXPECT_EQ(rig.drive.sent().back().cdb[0], 0x00);
}

TEST(MmcCapacity, ShortAtipTakesALargerLastSector) {
  BurnerRig rig;
  scriptCdWriter(rig.drive);
  rig.drive.instead(0x43, 4, good(atipReply(2, 0, 0, false)));  // 9000 frames
  rig.drive.on(0x25, good({0, 0, 0x4E, 0x20, 0, 0, 8, 0}));     // last sector 20000
  rig.start();
  EXPECT_EQ(rig.burner->Capacity(), 20000u);
}

TEST(MmcCapacity, WithoutAtipFromFormatCapacitiesOrTheTrack) {
  std::vector<uint8_t> noAtip(28, 0);
  noAtip[1] = 26;
  std::vector<uint8_t> formats(12, 0);
  formats[3] = 8;
  formats[5] = 0x05;  // 0x050000 blocks
  {
    BurnerRig rig;
    scriptCdWriter(rig.drive);
    rig.drive.instead(0x43, 4, good(noAtip)).on(0x23, good(formats));
    rig.start();
    EXPECT_EQ(rig.burner->Capacity(), 0x050000u);
    EXPECT_EQ(rig.drive.last(0x23).cdb[8], 248);
  }
  {
    BurnerRig rig;
    scriptCdWriter(rig.drive);
    std::vector<uint8_t> unusable = formats;
    unusable[4] = 0xFF, unusable[5] = 0xFD, unusable[6] = 0x00, unusable[7] = 0x01;
    rig.drive.instead(0x43, 4, good(noAtip)).on(0x23, good(unusable));
    rig.drive.on(0x51, good(discReply(1, 0, false, 2)));
    rig.drive.on(0x52, 2, good(trackReply(2, 12400, 12400, 300000, 300000)));
    rig.start();
    EXPECT_EQ(rig.burner->Capacity(), 312400u);
  }
}

TEST(MmcCapacity, DvdPlusRwFromItsVolumeDescriptors) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x001A);
  std::vector<uint8_t> descriptor(2048, 0);
  descriptor[0] = 1;
  std::memcpy(&descriptor[1], "CD001", 5);
  descriptor[6] = 1;
  descriptor[80] = 0x10;  // 10010h sectors, both-endian
  descriptor[82] = 0x01;
  descriptor[85] = 0x01;
  descriptor[87] = 0x10;
  // A root directory record so the descriptor reads as well-formed.
  descriptor[156] = 34;
  descriptor[156 + 32] = 1;
  rig.drive.on(0x28, 17, good(descriptor));
  rig.drive.on(0x52, 0, good(trackReply(1, 0, 0, 2000000, 2295104)));
  rig.start();
  EXPECT_EQ(rig.burner->SessionStart(), 0x10010u);
  EXPECT_EQ(rig.burner->UsedSectors(), 0x10010u);
}

TEST(MmcDisc, DvdRwUsedSectorsByTrackSize) {
  BurnerRig rig;
  scriptCdWriter(rig.drive, 0x0014);
  rig.drive.on(0x52, 0, good(trackReply(1, 0, 0, 2000000, 2000000)));
  rig.drive.on(0x52, 1, good(trackReply(1, 0, 4000, 1996000, 2000000)));
  rig.drive.on(0x51, good(discReply(1, 0, false, 1)));
  rig.start();
  EXPECT_EQ(rig.burner->UsedSectors(), 0u);      // track size = free blocks: nothing written
  EXPECT_EQ(rig.burner->SessionStart(), 4000u);  // track 1's next writable address
}

}  // namespace
}  // namespace cdengine_test
