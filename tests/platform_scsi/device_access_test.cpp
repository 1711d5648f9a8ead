// The machine's drives through the Windows-shaped calls: "\\.\X:" handles of
// its cdrom drives, IOCTL_SCSI_GET_ADDRESS and IOCTL_SCSI_PASS_THROUGH_DIRECT
// to the simulated writer and to a host node, and the ASPI driver stand-in.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/clock.h"
#include "platform/core/machine.h"
#include "platform/scsi/device_io.h"
#include "platform/scsi/disc_files.h"
#include "platform/scsi/scsi_structures.h"
#include "tests/platform_scsi/fake_sysfs.h"
#include "tests/support/temp_dir.h"

namespace scsi_test {
namespace {

using namespace platform::scsi;
using testing_support::writeFile;

class DeviceAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(temp_ / "c/Program Files/Corvasta");
    std::filesystem::create_directories(temp_ / "e");
    writeFile(temp_ / "machine.ini",
              "[Machine]\nWindows=xp\n[Drive C]\nFolder=c\n"
              "[Drive E]\nType=cdrom\nFolder=e\nMedia=disc\nDevice=simulated\nAddress=3:1:0\n"
              "[Drive F]\nType=cdrom\nFolder=f\nDevice=/dev/sr0\n"
              "[Drive G]\nType=cdrom\nFolder=g\n");
    createDisc(DiscFiles(temp_ / "e/disc"), DiscKind::CdR, std::nullopt, std::nullopt);
    machine_ = platform::Machine::open(temp_.path());
    sysfs_.add("sr0", "12:0:1:0", 5);
    sysfs_.add("sg4", "12:0:1:0", 5);
    host_.nodes = {"/dev/sr0", "/dev/sg4"};
    access_ = machineDeviceAccess(*machine_, clock_, HostScsi{sysfs_.root(), host_.calls()});
  }

  std::unique_ptr<DeviceHandle> open(const char* path, bool readWrite = true) {
    error_ = 0;
    return access_.openDevice(path, readWrite, error_);
  }

  // One pass-through command as the engine's emulation sends it.
  bool passThrough(DeviceHandle& handle, std::vector<uint8_t> cdb, uint8_t direction, uint8_t* data,
                   uint32_t length, SCSI_PASS_THROUGH_DIRECT_WITH_SENSE& record) {
    record = {};
    record.Sptd.Length = 44;
    record.Sptd.CdbLength = uint8_t(cdb.size());
    std::memcpy(record.Sptd.Cdb, cdb.data(), cdb.size());
    record.Sptd.DataIn = direction;
    record.Sptd.DataTransferLength = length;
    record.Sptd.DataBuffer = data;
    record.Sptd.TimeOutValue = 120;
    record.Sptd.SenseInfoLength = 24;
    record.Sptd.SenseInfoOffset = kSptdSenseOffset;
    uint32_t returned = 0;
    return handle.ioControl(IOCTL_SCSI_PASS_THROUGH_DIRECT, &record, sizeof record, &record,
                            sizeof record, returned, error_);
  }

  testing_support::TempDir temp_;
  FakeSysfs sysfs_{temp_ / "sys"};
  FakeSgIo host_;
  platform::ManualClock clock_;
  std::unique_ptr<platform::Machine> machine_;
  DeviceAccess access_;
  uint32_t error_ = 0;
};

TEST_F(DeviceAccessTest, OnlyCdromDrivesOpen) {
  EXPECT_EQ(access_.driveType("E:\\"), 5u);
  EXPECT_EQ(access_.driveType("C:\\"), 3u);
  EXPECT_FALSE(open("\\\\.\\C:"));
  EXPECT_EQ(error_, ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(open("\\\\.\\Q:"));
  EXPECT_FALSE(open("E:\\"));
  EXPECT_FALSE(open("\\\\.\\E"));
  EXPECT_EQ(error_, ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(open("\\\\.\\e:"));
  EXPECT_TRUE(open("\\\\.\\E:", false));
}

TEST_F(DeviceAccessTest, SimulatedDriveAnswersThePassThrough) {
  auto handle = open("\\\\.\\E:");
  ASSERT_TRUE(handle);
  SCSI_ADDRESS address;
  uint32_t returned = 0;
  ASSERT_TRUE(handle->ioControl(IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &address, sizeof address,
                                returned, error_));
  EXPECT_EQ(returned, sizeof address);
  EXPECT_EQ(address.PortNumber, 3);
  EXPECT_EQ(address.TargetId, 1);
  EXPECT_EQ(address.Lun, 0);

  SCSI_PASS_THROUGH_DIRECT_WITH_SENSE record;
  uint8_t inquiry[96] = {};
  ASSERT_TRUE(
      passThrough(*handle, {0x12, 0, 0, 0, 96, 0}, SCSI_IOCTL_DATA_IN, inquiry, 96, record));
  EXPECT_EQ(record.Sptd.ScsiStatus, 0);
  EXPECT_EQ(inquiry[0], 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(inquiry + 8), 8), "CORVASTA");

  // A check condition comes back as status 2 with the sense at its offset.
  ASSERT_TRUE(passThrough(*handle, {0xD8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                          SCSI_IOCTL_DATA_UNSPECIFIED, nullptr, 0, record));
  EXPECT_EQ(record.Sptd.ScsiStatus, 2);
  EXPECT_EQ(record.Sense[0], 0x70);
  EXPECT_EQ(record.Sense[2], 5);
  EXPECT_EQ(record.Sense[12], 0x20);

  // State lives with the drive, not the handle: a write parameters page set
  // through one handle is read through the next.
  std::vector<uint8_t> list(60, 0);
  list[8] = 0x05;
  list[9] = 0x32;
  list[10] = 0x01;
  list[11] = 0xC4;
  list[12] = 0x08;
  ASSERT_TRUE(passThrough(*handle, {0x55, 0x10, 0, 0, 0, 0, 0, 0, 60, 0}, SCSI_IOCTL_DATA_OUT,
                          list.data(), 60, record));
  EXPECT_EQ(record.Sptd.ScsiStatus, 0);
  handle.reset();
  auto next = open("\\\\.\\E:", false);
  uint8_t page[60] = {};
  ASSERT_TRUE(passThrough(*next, {0x5A, 0, 0x05, 0, 0, 0, 0, 0, 60, 0}, SCSI_IOCTL_DATA_IN, page,
                          60, record));
  EXPECT_EQ(page[11], 0xC4);
  // A read-only handle does not send data to the drive.
  EXPECT_FALSE(passThrough(*next, {0x55, 0x10, 0, 0, 0, 0, 0, 0, 60, 0}, SCSI_IOCTL_DATA_OUT,
                           list.data(), 60, record));
  EXPECT_EQ(error_, ERROR_ACCESS_DENIED);
}

TEST_F(DeviceAccessTest, BadRecordsAndCodesAreRefused) {
  auto handle = open("\\\\.\\E:");
  SCSI_PASS_THROUGH_DIRECT_WITH_SENSE record;
  EXPECT_FALSE(passThrough(*handle, {}, SCSI_IOCTL_DATA_IN, nullptr, 0, record));
  EXPECT_EQ(error_, ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(
      passThrough(*handle, {0x12, 0, 0, 0, 96, 0}, SCSI_IOCTL_DATA_IN, nullptr, 96, record));
  EXPECT_EQ(error_, ERROR_INVALID_PARAMETER);
  uint32_t returned = 0;
  uint8_t small[8];
  record.Sptd.SenseInfoOffset = 4000;  // beyond the record
  EXPECT_FALSE(handle->ioControl(IOCTL_SCSI_PASS_THROUGH_DIRECT, &record, sizeof record, &record,
                                 sizeof record, returned, error_));
  EXPECT_EQ(error_, ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(handle->ioControl(IOCTL_SCSI_PASS_THROUGH_DIRECT, small, sizeof small, nullptr, 0,
                                 returned, error_));
  EXPECT_FALSE(handle->ioControl(0x2D1400, nullptr, 0, nullptr, 0, returned, error_));
  EXPECT_EQ(error_, ERROR_INVALID_FUNCTION);
  EXPECT_FALSE(handle->ioControl(IOCTL_SCSI_GET_ADDRESS, nullptr, 0, small, 4, returned, error_));
  EXPECT_EQ(error_, ERROR_INSUFFICIENT_BUFFER);
}

TEST_F(DeviceAccessTest, HostNodeGoesThroughSgIo) {
  auto handle = open("\\\\.\\F:");
  ASSERT_TRUE(handle);
  SCSI_ADDRESS address;
  uint32_t returned = 0;
  ASSERT_TRUE(handle->ioControl(IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &address, sizeof address,
                                returned, error_));
  EXPECT_EQ(address.PortNumber, 12);
  EXPECT_EQ(address.TargetId, 1);

  host_.answer = [](sg_io_hdr_t& h) {
    h.host_status = 0x03;  // DID_TIME_OUT
    return 0;
  };
  SCSI_PASS_THROUGH_DIRECT_WITH_SENSE record;
  EXPECT_FALSE(
      passThrough(*handle, {0x00, 0, 0, 0, 0, 0}, SCSI_IOCTL_DATA_UNSPECIFIED, nullptr, 0, record));
  EXPECT_EQ(error_, ERROR_SEM_TIMEOUT);
  EXPECT_EQ(host_.seen.back().timeout, 120000u);
  host_.answer = [](sg_io_hdr_t& h) {
    h.host_status = 0x01;  // DID_NO_CONNECT
    return 0;
  };
  EXPECT_FALSE(
      passThrough(*handle, {0x00, 0, 0, 0, 0, 0}, SCSI_IOCTL_DATA_UNSPECIFIED, nullptr, 0, record));
  EXPECT_EQ(error_, ERROR_DEV_NOT_EXIST);

  host_.openErrno = EACCES;
  EXPECT_FALSE(open("\\\\.\\F:"));
  EXPECT_EQ(error_, ERROR_ACCESS_DENIED);
}

TEST_F(DeviceAccessTest, DriveWithoutDeviceOpensButHasNoScsiPort) {
  auto handle = open("\\\\.\\G:");
  ASSERT_TRUE(handle);
  SCSI_PASS_THROUGH_DIRECT_WITH_SENSE record;
  EXPECT_FALSE(
      passThrough(*handle, {0x12, 0, 0, 0, 36, 0}, SCSI_IOCTL_DATA_IN, nullptr, 0, record));
  EXPECT_EQ(error_, ERROR_INVALID_FUNCTION);
}

TEST_F(DeviceAccessTest, AspiDriverOnlyWhereTheMachineHasOne) {
  EXPECT_FALSE(access_.loadAspiDriver("WNASPI32.DLL"));
  writeFile(temp_ / "c/Program Files/Corvasta/WNASPI32.DLL", "MZ");
  auto aspi = access_.loadAspiDriver("wnaspi32.dll");
  ASSERT_TRUE(aspi);
  EXPECT_EQ(aspi->getSupportInfo(), (uint32_t(SS_COMP) << 8) | 13);  // sg4 on host 12
  EXPECT_TRUE(access_.loadAspiDriver(".\\WNASPI32.DLL"));
  EXPECT_TRUE(access_.loadAspiDriver("C:\\Program Files\\Corvasta\\WNASPI32.DLL"));
  EXPECT_FALSE(access_.loadAspiDriver("C:\\WINDOWS\\WNASPI32.DLL"));
  EXPECT_FALSE(access_.loadAspiDriver("OTHER.DLL"));
}

}  // namespace
}  // namespace scsi_test
