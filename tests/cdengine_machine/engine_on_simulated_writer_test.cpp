// The CD engine on a machine's simulated writer, through the machine's own
// device access: the two halves built against the Windows-shaped interface
// meet here. Discovery and selection by letter, a blank CD-R's figures, a
// session written block by block and closed, and the next session's start.
#include <gtest/gtest.h>

#include <vector>

#include "cdengine/CdBurner.h"
#include "platform/core/clock.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/scsi/device_io.h"
#include "platform/scsi/disc_files.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform::scsi;

class EngineOnSimulatedWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(temp_ / "c/Program Files/Corvasta");
    std::filesystem::create_directories(temp_ / "e");
    testing_support::writeFile(temp_ / "machine.ini",
                               "[Machine]\nWindows=me\n[Drive C]\nFolder=c\n"
                               "[Drive E]\nType=cdrom\nFolder=e\nMedia=blank\nDevice=simulated\n"
                               "Address=2:1:0\nInquiry=CORVASTA,SIM WRITER,1.0\n");
    createDisc(DiscFiles(temp_ / "e/blank"), DiscKind::CdR, std::nullopt, std::nullopt);
    machine_ = platform::Machine::open(temp_.path());
    files_ = std::make_unique<platform::FileSystem>(*machine_);
    access_ = std::make_unique<DeviceAccess>(machineDeviceAccess(*machine_, clock_));
    burner_ = std::make_unique<cdengine::TCDBurner>(*access_, clock_, *files_);
  }

  testing_support::TempDir temp_;
  platform::ManualClock clock_{1000};
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::FileSystem> files_;
  std::unique_ptr<DeviceAccess> access_;
  std::unique_ptr<cdengine::TCDBurner> burner_;
};

TEST_F(EngineOnSimulatedWriter, FindsTheDriveAndReadsABlankCdR) {
  ASSERT_TRUE(burner_->InitInterface(true));
  ASSERT_EQ(burner_->Devices().size(), 1u);
  EXPECT_EQ(burner_->Devices()[0].substr(0, 9), "2:1:0,E: ");
  EXPECT_NE(burner_->Devices()[0].find("CORVASTA"), std::string::npos);
  ASSERT_TRUE(burner_->SelectDriveLetter('E'));
  EXPECT_EQ(burner_->DriveLetter(), 'E');

  const cdengine::TDisc disc = burner_->GetDiscInfo();
  ASSERT_TRUE(disc.valid);
  EXPECT_EQ(disc.name, "CD-R");
  EXPECT_EQ(disc.capacity, 359999u);
  EXPECT_EQ(burner_->GetDiscType(), 2);
  EXPECT_EQ(burner_->SessionCount(), 0);
  EXPECT_EQ(burner_->UsedSectors(), 0u);
  EXPECT_EQ(burner_->SessionStart(), 0u);
}

TEST_F(EngineOnSimulatedWriter, ASessionWrittenAndClosedLeavesTheNextOneAfterTheGap) {
  ASSERT_TRUE(burner_->InitInterface(true));
  ASSERT_TRUE(burner_->SelectDriveLetter('E'));
  const int type = burner_->GetDiscType();
  ASSERT_TRUE(burner_->SetWriteParameters(false, false, type));
  std::vector<uint8_t> block(27 * 2048, 0x5A);
  uint32_t lba = 0;
  for (int k = 0; k < 12; ++k, lba += 27) ASSERT_TRUE(burner_->WriteBlocks(lba, 27, block.data()));
  // Writing anywhere but the next writable address is refused.
  EXPECT_FALSE(burner_->WriteBlocks(lba + 27, 27, block.data()));
  ASSERT_TRUE(burner_->SyncCache(120000, false));
  ASSERT_TRUE(burner_->CloseSession(type, 1, true));

  EXPECT_EQ(burner_->SessionCount(), 1);
  EXPECT_EQ(burner_->SessionStart(), lba + 11400);
  std::vector<uint8_t> back(2048);
  ASSERT_TRUE(burner_->ReadBlocks(100, 1, back.data()));
  EXPECT_EQ(back[0], 0x5A);
}

}  // namespace
