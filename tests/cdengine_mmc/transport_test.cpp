// The transport on a scripted drive: listing and selecting devices, one
// command's status, sense and trace, time-outs and vanished drives, waiting
// for readiness.

#include <gtest/gtest.h>

#include <cstring>

#include "cdengine/CommandTrace.h"
#include "cdengine/ScsiDevice.h"
#include "tests/cdengine_mmc/rig.h"

namespace cdengine_test {
namespace {

using cdengine::DebugType;
using cdengine::TSCSIDevice;
using namespace platform::scsi;

constexpr const char* kInvalid = "INVALID DEVICE ID / NOT A CD OR DVD DRIVE";

struct TransportRig {
  TransportRig() : device(drive.access(), clock) { collect(device, messages); }
  void start() {
    ASSERT_TRUE(device.InitInterface(true));
    ASSERT_FALSE(device.Devices().empty());
    device.SelectDevice(device.Devices()[0]);
    messages.clear();
  }
  SRB_ExecSCSICmd command(uint8_t opcode, uint8_t flags = SRB_EVENT_NOTIFY) {
    SRB_ExecSCSICmd srb;
    srb.h.SRB_Flags = flags;
    srb.SRB_CDBLen = 10;
    srb.CDBByte[0] = opcode;
    return srb;
  }

  platform::ManualClock clock{1000};
  ScriptedDrive drive;
  std::vector<Message> messages;
  TSCSIDevice device;
};

TEST(Transport, ListsTheDriveWithItsDescription) {
  TransportRig rig;
  ASSERT_TRUE(rig.device.InitInterface(true));
  EXPECT_TRUE(rig.device.ASPIInitialized());
  EXPECT_EQ(rig.device.InterfaceName(), "SPTIASPI");
  EXPECT_EQ(rig.device.AdapterCount(), 2);  // ports 0 and 1
  ASSERT_EQ(rig.device.Devices().size(), 1u);
  EXPECT_EQ(rig.device.Devices()[0], "1:0:0,E: CORVASTACD-RW TEST      1.00");
  const auto info = textsOf(rig.messages, DebugType::Info);
  ASSERT_GE(info.size(), 2u);
  EXPECT_EQ(info[0], ">>> SPTIASPI");
  EXPECT_EQ(info[1], ">>> CORVASTA SPTI    (SPTI 0)");
}

TEST(Transport, DescriptionsOfWriteOnceAndUnaddressedDrives) {
  TransportRig rig;
  rig.drive.setInquiry("VENDOR", "WORM", "0001", 4);
  rig.drive.addressFails = true;
  ASSERT_TRUE(rig.device.InitInterface(true));
  ASSERT_EQ(rig.device.Devices().size(), 1u);
  // No address: an adapter of its own above the (absent) others, target 0.
  EXPECT_EQ(rig.device.Devices()[0], "0:0:0,E: VENDOR  WORM            0001 (not supported)");
}

TEST(Transport, NoDriveNoInterface) {
  TransportRig rig;
  rig.drive.letter = '#';  // no drive letter of type 5
  EXPECT_FALSE(rig.device.InitInterface(true));
  EXPECT_FALSE(rig.device.ASPIInitialized());
  EXPECT_TRUE(rig.device.InterfaceName().empty());
}

TEST(Transport, SelectsByDescriptionReadingWholeNumbers) {
  TransportRig rig;
  rig.drive.port = 12;
  rig.drive.target = 3;
  ASSERT_TRUE(rig.device.InitInterface(true));
  ASSERT_EQ(rig.device.Devices().size(), 1u);
  EXPECT_EQ(rig.device.Devices()[0].substr(0, 9), "12:3:0,E:");
  rig.device.SelectDevice(rig.device.Devices()[0]);
  EXPECT_EQ(rig.device.Address(), (cdengine::ScsiAddress{12, 3, 0}));
  EXPECT_EQ(rig.device.DriveLetter(), 'E');
  EXPECT_TRUE(textsOf(rig.messages, DebugType::Command).empty());
}

TEST(Transport, OneDigitDescriptionsAndRefusals) {
  TransportRig rig;
  rig.start();
  EXPECT_EQ(rig.device.Address(), (cdengine::ScsiAddress{1, 0, 0}));
  EXPECT_EQ(rig.device.Description().substr(0, 8), "1:0:0,E:");

  rig.device.SelectDevice("1:0");  // four characters or fewer
  EXPECT_FALSE(rig.device.Address().selected());
  rig.device.SelectDevice("1:x:0,E: DRIVE");
  EXPECT_FALSE(rig.device.Address().selected());
  rig.device.SelectDevice("2:0:0,F: NOTHING THERE");
  EXPECT_FALSE(rig.device.Address().selected());
  rig.device.SelectDevice("");
  EXPECT_EQ(textsOf(rig.messages, DebugType::Command),
            (std::vector<std::string>{kInvalid, kInvalid, kInvalid}));
  EXPECT_EQ(rig.device.DriveLetter(), '?');
}

TEST(Transport, RescanKeepsTheSelection) {
  TransportRig rig;
  rig.drive.setInquiry("PLEXTOR", "CD-R   PX-W4012A", "1.07");
  rig.start();
  rig.device.ScanDevices();
  EXPECT_EQ(rig.device.Devices().size(), 1u);
  EXPECT_EQ(rig.device.Address(), (cdengine::ScsiAddress{1, 0, 0}));
  EXPECT_EQ(rig.device.Inquired().product, "CD-R   PX-W4012A");
}

TEST(Transport, SelectsByDriveLetter) {
  TransportRig rig;
  ASSERT_TRUE(rig.device.InitInterface(true));
  int changes = 0;
  rig.device.OnDeviceChange = [&] { ++changes; };
  EXPECT_TRUE(rig.device.SelectDriveLetter('e'));
  EXPECT_EQ(rig.device.Address(), (cdengine::ScsiAddress{1, 0, 0}));
  EXPECT_EQ(rig.device.Description(), "1:0:0 E:");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(rig.device.SelectDriveLetter('F'));
}

TEST(Transport, InquiryAnsweredFromDiscoveryEvenWhenBusy) {
  TransportRig rig;
  rig.drive.on(0x00, failing(2, 0x04, 0x08));
  rig.start();
  EXPECT_EQ(rig.drive.count(0x12), 1);  // discovery only
  EXPECT_TRUE(rig.device.Inquiry());
  EXPECT_EQ(rig.device.Inquired().product, "CD-RW TEST      ");
  EXPECT_EQ(rig.drive.count(0x12), 1);
  EXPECT_FALSE(rig.device.TestUnitReady(5000));
  EXPECT_EQ(rig.device.LastError(), "NOT READY (LOGICAL UNIT NOT READY, LONG WRITE IN PROGRESS)");
}

TEST(Transport, SendsTheLunInCommandByteOneAndTheSenseLength) {
  TransportRig rig;
  rig.drive.lun = 2;
  rig.drive.on(0x25, good({0, 0, 0x10, 0, 0, 0, 8, 0}));
  rig.start();
  uint8_t reply[8] = {};
  auto srb = rig.command(0x25, SRB_DIR_IN | SRB_EVENT_NOTIFY);
  srb.CDBByte[1] = 0x1F;
  srb.SRB_BufLen = sizeof reply;
  srb.SRB_BufPointer = reply;
  rig.device.ExecCommand(srb, 10000);
  EXPECT_EQ(srb.h.SRB_Status, SS_COMP);
  EXPECT_EQ(srb.SRB_SenseLen, 24);
  EXPECT_EQ(rig.drive.last(0x25).cdb[1], 0x5F);
  EXPECT_EQ(reply[2], 0x10);
  EXPECT_TRUE(rig.device.LastError().empty());
}

TEST(Transport, TraceLineOfAKnownCommand) {
  TransportRig rig;
  rig.drive.on(0x25, good({0, 0, 0x10, 0, 0, 0, 8, 0}));
  rig.start();
  cdengine::setCommandTrace(true);
  rig.clock.advance(123456 - rig.clock.nowMs());
  uint8_t reply[8] = {};
  auto srb = rig.command(0x25, SRB_DIR_IN | SRB_EVENT_NOTIFY);
  srb.SRB_BufLen = sizeof reply;
  srb.SRB_BufPointer = reply;
  rig.device.ExecCommand(srb, 10000);
  cdengine::setCommandTrace(false);
  const auto lines = textsOf(rig.messages, DebugType::Command);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "<<< 02:03:456 READ CAPACITY          (25) {48|0A} - 1:0:0 <01> [00008] "
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00  |00 00 10 00 00 00 08 00 "
            "= 00 00 00 00 ASC:00,ASQ:00 ");
}

TEST(Transport, TraceLineOfAFailedCommandWithItsError) {
  TransportRig rig;
  rig.drive.on(0x51, failing(5, 0x24, 0x00));
  rig.start();
  cdengine::setCommandTrace(true);
  auto srb = rig.command(0x51);
  rig.device.ExecCommand(srb, 10000);
  cdengine::setCommandTrace(false);
  const auto lines = textsOf(rig.messages, DebugType::Command);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(14),
            "READ DISC INFORMATION  (51) {40|0A} - 1:0:0 <04> [00000] "
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00  |"
            "= 00 02 70 05 ASC:24,ASQ:00 ILLEGAL REQUEST (INVALID FIELD IN CDB)");
}

TEST(Transport, UnexpectedFailureReportedOnce) {
  TransportRig rig;
  rig.drive.on(0x51, failing(5, 0x24, 0x00));
  rig.drive.on(0x2A, failing(3, 0x0C, 0x00));
  rig.start();
  auto discInfo = rig.command(0x51);
  rig.device.ExecCommand(discInfo, 10000);
  EXPECT_TRUE(textsOf(rig.messages, DebugType::Command).empty());

  for (int i = 0; i < 2; ++i) {
    auto write = rig.command(0x2A, SRB_DIR_OUT | SRB_EVENT_NOTIFY);
    rig.device.ExecCommand(write, 10000);
    EXPECT_EQ(rig.device.LastError(), "MEDIUM ERROR (WRITE ERROR)");
  }
  const auto lines = textsOf(rig.messages, DebugType::Command);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 27), "<<< WRITE (10)             ");
}

TEST(Transport, LongWriteInProgressIsNotReportedAndMarkingSilences) {
  TransportRig rig;
  rig.drive.on(0x2A, failing(2, 0x04, 0x08));
  rig.drive.on(0x2B, failing(3, 0x11, 0x00));
  rig.start();
  auto write = rig.command(0x2A, SRB_DIR_OUT | SRB_EVENT_NOTIFY);
  rig.device.ExecCommand(write, 10000);
  rig.device.markFailureReported();
  auto seek = rig.command(0x2B);
  rig.device.ExecCommand(seek, 10000);
  EXPECT_TRUE(textsOf(rig.messages, DebugType::Command).empty());
}

TEST(Transport, MisalignedBufferIsReported) {
  TransportRig rig;
  rig.drive.on(0x25, good({1, 2, 3, 4, 5, 6, 7, 8}));
  rig.start();
  alignas(4) uint8_t bytes[16] = {};
  auto srb = rig.command(0x25, SRB_DIR_IN | SRB_EVENT_NOTIFY);
  srb.SRB_BufLen = 8;
  srb.SRB_BufPointer = bytes + 1;
  rig.device.ExecCommand(srb, 10000);
  const auto lines = textsOf(rig.messages, DebugType::Command);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "aaaa" + std::to_string(reinterpret_cast<uintptr_t>(bytes + 1)));
  EXPECT_EQ(bytes[1], 1);
}

TEST(Transport, PassThroughTimeOutAndVanishedDrive) {
  TransportRig rig;
  ScriptedReply timeout;
  timeout.error = 121;  // ERROR_SEM_TIMEOUT
  ScriptedReply gone;
  gone.error = 55;  // ERROR_DEV_NOT_EXIST
  rig.drive.on(0x2A, timeout);
  rig.drive.on(0x28, gone);
  rig.start();
  auto write = rig.command(0x2A, SRB_DIR_OUT | SRB_EVENT_NOTIFY);
  rig.device.ExecCommand(write, 10000);
  EXPECT_EQ(write.h.SRB_Status, SS_ERR);
  EXPECT_EQ(write.SRB_HaStat, HASTAT_TIMEOUT);
  EXPECT_EQ(rig.device.LastError(), "COMMAND TIMEOUT");
  auto read = rig.command(0x28, SRB_DIR_IN | SRB_EVENT_NOTIFY);
  rig.device.ExecCommand(read, 10000);
  EXPECT_EQ(read.h.SRB_Status, SS_NO_DEVICE);
  EXPECT_EQ(rig.device.LastError(), "NO DEVICE");
}

// An ASPI driver that never completes anything but INQUIRY.
struct StuckDriver {
  int aborts = 0;
  AspiDriver driver() {
    AspiDriver d;
    d.getSupportInfo = [] { return uint32_t{SS_COMP} << 8 | 1; };
    d.sendCommand = [this](void* request) -> uint32_t {
      auto* header = static_cast<SRB_Header*>(request);
      if (header->SRB_Cmd == SC_HA_INQUIRY) {
        auto* inquiry = static_cast<SRB_HAInquiry*>(request);
        inquiry->HA_Count = 1;
        return header->SRB_Status = SS_COMP;
      }
      if (header->SRB_Cmd == SC_ABORT_SRB) {
        ++aborts;
        return header->SRB_Status = SS_COMP;
      }
      if (header->SRB_Cmd != SC_EXEC_SCSI_CMD) return header->SRB_Status = SS_ERR;
      auto* srb = static_cast<SRB_ExecSCSICmd*>(request);
      if (srb->SRB_Target != 0 || srb->SRB_Lun != 0) return header->SRB_Status = SS_NO_DEVICE;
      if (srb->CDBByte[0] == 0x12) {
        std::memset(srb->SRB_BufPointer, ' ', 36);
        srb->SRB_BufPointer[0] = 5;
        static_cast<Event*>(srb->SRB_PostProc)->set();
        return header->SRB_Status = SS_COMP;
      }
      return header->SRB_Status = SS_PENDING;
    };
    return d;
  }
};

TEST(Transport, CommandThatNeverCompletesIsAbortedAsTimeout) {
  platform::ManualClock clock(5000);
  StuckDriver stuck;
  DeviceAccess access;
  access.loadAspiDriver = [&](std::string_view path) -> std::optional<AspiDriver> {
    if (path == "WNASPI32.DLL") return stuck.driver();
    return std::nullopt;
  };
  TSCSIDevice device(access, clock);
  ASSERT_TRUE(device.InitInterface(true));
  EXPECT_EQ(device.InterfaceName(), "WNASPI32.DLL");
  ASSERT_EQ(device.Devices().size(), 1u);
  EXPECT_EQ(device.Devices()[0].substr(0, 9), "0:0:0,?: ");
  device.SelectDevice(device.Devices()[0]);
  ASSERT_TRUE(device.Address().selected());

  const uint64_t before = clock.nowMs();
  EXPECT_FALSE(device.TestUnitReady(5000));
  EXPECT_EQ(clock.nowMs() - before, 10000u);  // at least ten seconds
  EXPECT_EQ(stuck.aborts, 1);
  EXPECT_EQ(device.LastError(), "COMMAND TIMEOUT");
}

TEST(Transport, WaitReadyGivesUpOnTheClock) {
  TransportRig rig;
  rig.drive.on(0x00, failing(2, 0x04, 0x01));
  rig.start();
  const uint64_t before = rig.clock.nowMs();
  EXPECT_FALSE(rig.device.WaitReady(3000, 500));
  const uint64_t waited = rig.clock.nowMs() - before;
  EXPECT_GE(waited, 3000u);
  EXPECT_LT(waited, 4000u);
}

TEST(Transport, WaitReadyUntilReadyAndNoProgress) {
  TransportRig rig;
  rig.drive.on(0x00, failing(2, 0x04, 0x01)).on(0x00, failing(2, 0x04, 0x01)).on(0x00, good());
  std::vector<uint8_t> progress(18, 0);
  progress[0] = 0x70;
  progress[2] = 0;
  progress[15] = 0x80;  // progress indication valid
  std::vector<uint8_t> done(18, 0);
  done[0] = 0x70;
  rig.drive.on(0x03, good(progress)).on(0x03, good(progress)).on(0x03, good(done));
  rig.start();
  EXPECT_TRUE(rig.device.WaitReady(30000, 500));
  EXPECT_EQ(rig.drive.count(0x03), 3);
}

TEST(Transport, WaitReadyWithoutADiscIsNotReady) {
  TransportRig rig;
  rig.drive.on(0x00, failing(2, 0x3A, 0x00));
  std::vector<uint8_t> noSense(18, 0);
  noSense[0] = 0x70;
  rig.drive.on(0x03, good(noSense));
  rig.start();
  EXPECT_FALSE(rig.device.WaitReady(3000, 500));
}

TEST(Transport, HandleClosedAfterEachCommandUnlessSwitchedOff) {
  platform::ManualClock clock;
  ScriptedDrive drive;
  drive.on(0x00, good());
  int opens = 0;
  DeviceAccess access = drive.access();
  const auto open = access.openDevice;
  access.openDevice = [&](std::string_view path, bool readWrite, uint32_t& error) {
    ++opens;
    return open(path, readWrite, error);
  };
  TSCSIDevice device(access, clock);
  ASSERT_TRUE(device.InitInterface(true));
  device.SelectDevice(device.Devices()[0]);
  const int afterSelection = opens;
  EXPECT_TRUE(device.TestUnitReady(5000));
  EXPECT_TRUE(device.TestUnitReady(5000));
  EXPECT_EQ(opens - afterSelection, 2);

  device.setCloseAfterEachCommand(false);
  EXPECT_TRUE(device.TestUnitReady(5000));
  EXPECT_TRUE(device.TestUnitReady(5000));
  EXPECT_TRUE(device.TestUnitReady(5000));
  EXPECT_EQ(opens - afterSelection, 3);
}

}  // namespace
}  // namespace cdengine_test
