// machine.ini keys of a cdrom drive's SCSI device: values kept, each wrong
// key, value or fault refused with its line, and the keys written back.
#include <gtest/gtest.h>

#include "platform/core/machine_config.h"

using platform::CdromFault;
using platform::MachineConfigError;
using platform::parseMachineConfig;

namespace {

const std::string kHead =
    "[Machine]\nWindows=xp\n[Drive C]\nFolder=c\n[Drive E]\nType=cdrom\n"
    "Folder=e\nMedia=disc1\n";  // the E: section starts at line 5

std::string errorOf(const std::string& keys) {
  try {
    parseMachineConfig(kHead + keys, "/m");
  } catch (const MachineConfigError& error) {
    return error.what();
  }
  return "no error";
}

TEST(CdromConfig, KeepsEveryKey) {
  auto config = parseMachineConfig(kHead +
                                       "Device=simulated\nAddress=12:3:1\n"
                                       "Inquiry=PLEXTOR, CD-R   PX-W4824A,1.04\nBurnFree=0\n"
                                       "TestWrite=no\nBufferSize=4194304\nBlankSeconds=150,4500\n"
                                       "Faults=underrun:1200 writeerror:5, notready:3 syncerror\n",
                                   "/m");
  const auto& cd = config.drive('E')->cdrom;
  EXPECT_TRUE(cd.simulated());
  EXPECT_EQ(cd.port, 12);
  EXPECT_EQ(cd.target, 3);
  EXPECT_EQ(cd.lun, 1);
  EXPECT_EQ(cd.vendor, "PLEXTOR");
  EXPECT_EQ(cd.product, "CD-R   PX-W4824A");
  EXPECT_EQ(cd.revision, "1.04");
  EXPECT_FALSE(cd.burnFree);
  EXPECT_FALSE(cd.testWrite);
  EXPECT_EQ(cd.bufferSize, 4194304u);
  EXPECT_EQ(cd.quickBlankSeconds, 150u);
  EXPECT_EQ(cd.fullBlankSeconds, 4500u);
  ASSERT_EQ(cd.faults.size(), 4u);
  EXPECT_EQ(cd.faults[0].kind, CdromFault::Kind::Underrun);
  EXPECT_EQ(cd.faults[0].value, 1200u);
  EXPECT_EQ(cd.faults[2].kind, CdromFault::Kind::NotReady);
  EXPECT_EQ(cd.faults[3].kind, CdromFault::Kind::SyncError);

  // Written back, the same keys come out.
  auto again = parseMachineConfig(platform::formatMachineConfig(config, "/m"), "/m");
  const auto& cd2 = again.drive('E')->cdrom;
  EXPECT_EQ(cd2.device, "simulated");
  EXPECT_EQ(cd2.port, 12);
  EXPECT_EQ(cd2.product, cd.product);
  EXPECT_EQ(cd2.faults.size(), 4u);
  EXPECT_EQ(platform::cdromFaultText(cd2.faults[1]), "writeerror:5");
}

TEST(CdromConfig, HostNodesAndNoDevice) {
  EXPECT_EQ(parseMachineConfig(kHead + "Device=/dev/sg12\n", "/m").drive('E')->cdrom.device,
            "/dev/sg12");
  auto none = parseMachineConfig(kHead, "/m").drive('E')->cdrom;
  EXPECT_FALSE(none.hasDevice());
  EXPECT_TRUE(none.faults.empty());
  EXPECT_TRUE(parseMachineConfig(kHead + "Faults=\n", "/m").drive('E')->cdrom.faults.empty());
}

TEST(CdromConfig, WrongValuesNameTheLine) {
  EXPECT_EQ(errorOf("Device=/dev/sda\n"),
            "machine.ini line 9: Device must be /dev/srN, /dev/sgN or simulated, found '/dev/sda'");
  EXPECT_NE(errorOf("Address=1:8:0\n").find("line 9: Address must be"), std::string::npos);
  EXPECT_NE(errorOf("Address=1:0\n").find("line 9: Address"), std::string::npos);
  EXPECT_NE(errorOf("Inquiry=VENDORTOOLONG,X,1\n").find("line 9: Inquiry"), std::string::npos);
  EXPECT_NE(errorOf("Inquiry=A,B\n").find("line 9: Inquiry"), std::string::npos);
  EXPECT_NE(errorOf("BurnFree=maybe\n").find("line 9: BurnFree must be 0 or 1"), std::string::npos);
  EXPECT_NE(errorOf("BufferSize=lots\n").find("line 9: BufferSize"), std::string::npos);
  EXPECT_NE(errorOf("BlankSeconds=150\n").find("line 9: BlankSeconds"), std::string::npos);
  EXPECT_NE(errorOf("Device=simulated\nFaults=syncerror melt:3\n")
                .find("line 10: unknown fault 'melt:3'"),
            std::string::npos);
  EXPECT_NE(errorOf("Faults=underrun\n").find("line 9: the fault 'underrun' needs a number"),
            std::string::npos);
  EXPECT_NE(errorOf("Faults=underrun:x\n").find("needs a number"), std::string::npos);
  EXPECT_NE(errorOf("Faults=closeerror:2\n").find("'closeerror' takes no operand"),
            std::string::npos);
  EXPECT_NE(errorOf("Speed=4\n").find("line 9: unknown key 'Speed'"), std::string::npos);
}

TEST(CdromConfig, OnlyCdromDrivesTakeTheKeys) {
  try {
    parseMachineConfig("[Machine]\nWindows=xp\n[Drive C]\nFolder=c\nDevice=simulated\n", "/m");
    FAIL() << "accepted";
  } catch (const MachineConfigError& error) {
    EXPECT_STREQ(error.what(), "machine.ini line 5: Device is a key of cdrom drives only");
  }
}

}  // namespace
