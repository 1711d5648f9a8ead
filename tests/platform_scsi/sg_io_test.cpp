// The host SCSI path on a fake sysfs tree and a fake ioctl: addresses from
// sysfs, the sg_io_hdr a command becomes, host statuses as transport
// outcomes, and the ASPI stand-in's listing and requests.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/core/clock.h"
#include "platform/scsi/aspi_stand_in.h"
#include "platform/scsi/device_io.h"
#include "platform/scsi/pass_through_handle.h"
#include "platform/scsi/scsi_structures.h"
#include "platform/scsi/sysfs_scsi.h"
#include "tests/platform_scsi/fake_sysfs.h"
#include "tests/support/temp_dir.h"

namespace scsi_test {
namespace {

using namespace platform::scsi;

class HostScsiTest : public ::testing::Test {
 protected:
  testing_support::TempDir temp_;
  FakeSysfs sysfs_{temp_.path()};
  FakeSgIo host_;
};

TEST_F(HostScsiTest, AddressesAndTypesFromSysfs) {
  sysfs_.add("sr0", "12:0:1:0", 5);
  sysfs_.add("sg3", "12:0:1:0", 5);
  sysfs_.add("sg0", "0:0:0:0", 0);
  EXPECT_EQ(sysfsAddressOf(sysfs_.root(), "/dev/sr0"), (HostScsiAddress{12, 0, 1, 0}));
  EXPECT_EQ(sysfsAddressOf(sysfs_.root(), "/dev/sg3"), (HostScsiAddress{12, 0, 1, 0}));
  EXPECT_FALSE(sysfsAddressOf(sysfs_.root(), "/dev/sr7"));
  EXPECT_FALSE(sysfsAddressOf(sysfs_.root(), "/dev/sda"));
  auto list = listSgDevices(sysfs_.root());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].node, "/dev/sg0");
  EXPECT_EQ(list[0].type, 0);
  EXPECT_EQ(list[1].node, "/dev/sg3");
  EXPECT_EQ(list[1].type, 5);
  EXPECT_FALSE(parseHostScsiAddress("1:2:3"));
  EXPECT_FALSE(parseHostScsiAddress("1:2:3:4:5"));
  EXPECT_FALSE(parseHostScsiAddress("a:2:3:4"));
}

TEST_F(HostScsiTest, CommandsBecomeSgIoHeaders) {
  host_.nodes = {"/dev/sr0"};
  host_.answer = [](sg_io_hdr_t& h) {
    std::memset(h.dxferp, 0x42, h.dxfer_len);
    h.resid = 4;
    h.status = 0;
    return 0;
  };
  int hostErrno = 0;
  auto device = SgIoDevice::open("/dev/sr0", true, host_.calls(), hostErrno);
  ASSERT_TRUE(device);
  uint8_t cdb[10] = {0x51, 0, 0, 0, 0, 0, 0, 0, 56, 0};
  uint8_t data[56] = {};
  ScsiOutcome outcome =
      device->execute({cdb, sizeof cdb, DataDirection::In, data, sizeof data, 10000});
  ASSERT_EQ(host_.seen.size(), 1u);
  const sg_io_hdr_t& sent = host_.seen[0];
  EXPECT_EQ(sent.interface_id, 'S');
  EXPECT_EQ(sent.dxfer_direction, SG_DXFER_FROM_DEV);
  EXPECT_EQ(sent.cmd_len, 10);
  EXPECT_EQ(sent.cmdp[0], 0x51);
  EXPECT_EQ(sent.dxfer_len, 56u);
  EXPECT_EQ(sent.timeout, 10000u);
  EXPECT_EQ(sent.mx_sb_len, 32);
  EXPECT_TRUE(outcome.good());
  EXPECT_EQ(outcome.transferred, 52u);
  EXPECT_EQ(data[0], 0x42);

  device->execute({cdb, 6, DataDirection::Out, data, 8, 0});
  EXPECT_EQ(host_.seen[1].dxfer_direction, SG_DXFER_TO_DEV);
  EXPECT_EQ(host_.seen[1].timeout, 60000u);  // no time-out given: a minute
  device->execute({cdb, 6, DataDirection::None, nullptr, 0, 5000});
  EXPECT_EQ(host_.seen[2].dxfer_direction, SG_DXFER_NONE);
  device.reset();
  EXPECT_EQ(host_.closeCount, 1);
}

TEST_F(HostScsiTest, StatusesAndSenseComeBack) {
  host_.nodes = {"/dev/sg1"};
  int hostErrno = 0;
  auto device = SgIoDevice::open("/dev/sg1", false, host_.calls(), hostErrno);
  ASSERT_TRUE(device);
  uint8_t cdb[6] = {0x00};
  auto run = [&](unsigned short hostStatus, unsigned char status) {
    host_.answer = [=](sg_io_hdr_t& h) {
      h.host_status = hostStatus;
      h.status = status;
      if (status == 2) {
        h.sbp[0] = 0x70;
        h.sbp[2] = 0x02;
        h.sbp[12] = 0x3A;
        h.sb_len_wr = 18;
      }
      return 0;
    };
    return device->execute({cdb, 6, DataDirection::None, nullptr, 0, 1000});
  };
  ScsiOutcome check = run(0, 2);
  EXPECT_EQ(check.transport, ScsiOutcome::Transport::Done);
  EXPECT_EQ(check.status, 2);
  EXPECT_EQ(check.senseLength, 18);
  EXPECT_EQ(check.sense[12], 0x3A);
  EXPECT_EQ(run(0x03, 0).transport, ScsiOutcome::Transport::Timeout);   // DID_TIME_OUT
  EXPECT_EQ(run(0x08, 0).transport, ScsiOutcome::Transport::BusReset);  // DID_RESET
  EXPECT_EQ(run(0x01, 0).transport, ScsiOutcome::Transport::NoDevice);  // DID_NO_CONNECT
  EXPECT_EQ(run(0x07, 0).transport, ScsiOutcome::Transport::Failed);    // DID_ERROR
  host_.answer = [](sg_io_hdr_t&) {
    errno = ENODEV;
    return -1;
  };
  EXPECT_EQ(device->execute({cdb, 6, DataDirection::None, nullptr, 0, 1000}).transport,
            ScsiOutcome::Transport::NoDevice);

  // What the pass-through makes of them.
  ScsiOutcome outcome;
  outcome.transport = ScsiOutcome::Transport::Timeout;
  EXPECT_EQ(windowsErrorOf(outcome), ERROR_SEM_TIMEOUT);
  outcome.transport = ScsiOutcome::Transport::NoDevice;
  EXPECT_EQ(windowsErrorOf(outcome), ERROR_DEV_NOT_EXIST);
  outcome.transport = ScsiOutcome::Transport::BusReset;
  EXPECT_EQ(windowsErrorOf(outcome), ERROR_BUS_RESET);
}

TEST_F(HostScsiTest, AspiStandInListsCdDrivesByAddress) {
  sysfs_.add("sg0", "0:0:0:0", 0);  // a disk: not listed
  sysfs_.add("sg1", "2:0:0:0", 5);
  sysfs_.add("sg2", "12:0:3:0", 5);
  host_.nodes = {"/dev/sg1", "/dev/sg2"};
  AspiDriver aspi = makeAspiStandIn(sysfs_.root(), host_.calls());
  EXPECT_EQ(aspi.getSupportInfo(), (uint32_t(SS_COMP) << 8) | 13);

  SRB_HAInquiry inquiry;
  inquiry.h.SRB_Cmd = SC_HA_INQUIRY;
  inquiry.h.SRB_HaId = 12;
  EXPECT_EQ(aspi.sendCommand(&inquiry), SS_COMP);
  EXPECT_EQ(inquiry.HA_Count, 13);
  EXPECT_EQ(inquiry.HA_SCSI_ID, 7);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(inquiry.HA_Identifier), 16), "SG_IO host 12   ");
  inquiry.h.SRB_HaId = 13;
  EXPECT_EQ(aspi.sendCommand(&inquiry), SS_INVALID_HA);

  SRB_GDEVBlock type;
  type.h.SRB_Cmd = SC_GET_DEV_TYPE;
  type.h.SRB_HaId = 12;
  type.SRB_Target = 3;
  EXPECT_EQ(aspi.sendCommand(&type), SS_COMP);
  EXPECT_EQ(type.SRB_DeviceType, 5);
  type.h.SRB_HaId = 0;
  type.SRB_Target = 0;
  EXPECT_EQ(aspi.sendCommand(&type), SS_NO_DEVICE);  // the disk
  EXPECT_EQ(type.SRB_DeviceType, 0x1F);
}

TEST_F(HostScsiTest, AspiExecuteMapsOutcomesAndSignals) {
  sysfs_.add("sg1", "2:0:0:0", 5);
  host_.nodes = {"/dev/sg1"};
  AspiDriver aspi = makeAspiStandIn(sysfs_.root(), host_.calls());
  platform::ManualClock clock;
  auto event = createEvent(clock);
  uint8_t buffer[96] = {};
  SRB_ExecSCSICmd srb;
  srb.h.SRB_Cmd = SC_EXEC_SCSI_CMD;
  srb.h.SRB_HaId = 2;
  srb.h.SRB_Flags = SRB_DIR_IN | SRB_EVENT_NOTIFY;
  srb.SRB_BufLen = sizeof buffer;
  srb.SRB_BufPointer = buffer;
  srb.SRB_SenseLen = 24;
  srb.SRB_CDBLen = 6;
  srb.CDBByte[0] = 0x12;
  srb.CDBByte[4] = 96;
  srb.SRB_PostProc = event.get();

  host_.answer = [](sg_io_hdr_t& h) {
    static_cast<uint8_t*>(h.dxferp)[0] = 5;
    return 0;
  };
  EXPECT_EQ(aspi.sendCommand(&srb), SS_COMP);
  EXPECT_EQ(host_.seen.back().dxfer_direction, SG_DXFER_FROM_DEV);
  EXPECT_EQ(buffer[0], 5);
  EXPECT_TRUE(event->wait(0));

  host_.answer = [](sg_io_hdr_t& h) {
    h.status = 2;
    h.sbp[0] = 0x70;
    h.sbp[2] = 5;
    h.sbp[12] = 0x24;
    h.sb_len_wr = 18;
    return 0;
  };
  EXPECT_EQ(aspi.sendCommand(&srb), SS_ERR);
  EXPECT_EQ(srb.SRB_TargStat, 2);
  EXPECT_EQ(srb.SRB_HaStat, HASTAT_OK);
  EXPECT_EQ(srb.SenseArea[2], 5);
  EXPECT_EQ(srb.SenseArea[12], 0x24);

  host_.answer = [](sg_io_hdr_t& h) {
    h.host_status = 0x03;
    return 0;
  };
  EXPECT_EQ(aspi.sendCommand(&srb), SS_ERR);
  EXPECT_EQ(srb.SRB_HaStat, HASTAT_TIMEOUT);
  host_.answer = [](sg_io_hdr_t& h) {
    h.host_status = 0x08;
    return 0;
  };
  EXPECT_EQ(aspi.sendCommand(&srb), SS_ERR);
  EXPECT_EQ(srb.SRB_HaStat, HASTAT_BUS_RESET);
  host_.answer = [](sg_io_hdr_t& h) {
    h.host_status = 0x01;
    return 0;
  };
  EXPECT_EQ(aspi.sendCommand(&srb), SS_NO_DEVICE);

  srb.h.SRB_HaId = 3;
  EXPECT_EQ(aspi.sendCommand(&srb), SS_NO_DEVICE);
  srb.h.SRB_HaId = 2;
  srb.SRB_CDBLen = 0;
  EXPECT_EQ(aspi.sendCommand(&srb), SS_INVALID_SRB);
  SRB_Header unknown;
  unknown.SRB_Cmd = 0x55;
  EXPECT_EQ(aspi.sendCommand(&unknown), SS_INVALID_CMD);
}

TEST_F(HostScsiTest, NoCdDrivesNoAdapters) {
  sysfs_.add("sg0", "0:0:0:0", 0);
  AspiDriver aspi = makeAspiStandIn(sysfs_.root(), host_.calls());
  EXPECT_EQ(aspi.getSupportInfo(), uint32_t(SS_NO_ADAPTERS) << 8);
}

}  // namespace
}  // namespace scsi_test
