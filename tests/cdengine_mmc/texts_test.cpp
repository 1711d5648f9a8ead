// Error texts of every request status, adapter status, target status and
// sense key, the additional sense descriptions, the opcode names, the
// description address and the quirk table.

#include <gtest/gtest.h>

#include "cdengine/CommandTrace.h"
#include "cdengine/DeviceDescription.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/SenseTexts.h"

namespace cdengine_test {
namespace {

using namespace cdengine;
using namespace platform::scsi;

SRB_ExecSCSICmd request(uint8_t status, uint8_t adapter = 0, uint8_t target = 0) {
  SRB_ExecSCSICmd srb;
  srb.h.SRB_Status = status;
  srb.SRB_HaStat = adapter;
  srb.SRB_TargStat = target;
  return srb;
}

SRB_ExecSCSICmd checkCondition(uint8_t flags, uint8_t asc, uint8_t ascq, uint8_t code = 0x70) {
  SRB_ExecSCSICmd srb = request(SS_ERR, 0, 2);
  srb.SenseArea[0] = code;
  srb.SenseArea[2] = flags;
  srb.SenseArea[7] = 10;
  srb.SenseArea[12] = asc;
  srb.SenseArea[13] = ascq;
  return srb;
}

TEST(ErrorTexts, RequestStatus) {
  const std::pair<uint8_t, const char*> cases[] = {
      {0x00, ""},
      {0x01, ""},
      {0x02, "OPERATION ABORTED BY USER"},
      {0x03, "OPERATION ABORTED BY USER"},
      {0x80, "INVALID REQUEST"},
      {0x81, "INVALID HOST ADAPTER"},
      {0x82, "NO DEVICE"},
      {0xE0, "INVALID SRB"},
      {0xE1, "BUFFER ALIGNMENT"},
      {0xE5, "ASPI IS BUSY"},
      {0xE6, "BUFFER TOO BIG"},
      {0x7F, "UNKNOWN"},
  };
  for (const auto& [status, text] : cases)
    EXPECT_EQ(requestErrorText(request(status)), text) << int{status};
}

TEST(ErrorTexts, AdapterAndTargetStatus) {
  const std::pair<uint8_t, const char*> adapters[] = {
      {0x09, "COMMAND TIMEOUT"},   {0x0B, "SRB TIMEOUT"},  {0x0D, "MESSAGE REJECT"},
      {0x0E, "BUS RESET"},         {0x0F, "PARITY ERROR"}, {0x10, "REQUEST SENSE FAILED"},
      {0x11, "SELECTION TIMEOUT"}, {0x12, "DATA OVERRUN"}, {0x13, "UNEXPECTED BUS FREE"},
      {0x01, "UNKNOWN"},
  };
  for (const auto& [status, text] : adapters)
    EXPECT_EQ(requestErrorText(request(SS_ERR, status)), text) << int{status};
  EXPECT_EQ(requestErrorText(request(SS_ERR, 0, 0x08)), "TARGET BUSY");
  EXPECT_EQ(requestErrorText(request(SS_ERR, 0, 0x18)), "TARGET RESERVATION CONFLICT");
  EXPECT_EQ(requestErrorText(request(SS_ERR, 0, 0x28)), "TARGET QUEUE FULL");
  EXPECT_EQ(requestErrorText(request(SS_ERR, 0, 0x04)), "UNKNOWN");
  // A check condition without sense data leaves no text; another format is unknown.
  EXPECT_EQ(requestErrorText(request(SS_ERR, 0, 0x02)), "");
  EXPECT_EQ(requestErrorText(checkCondition(5, 0x24, 0, 0x72)), "UNKNOWN");
}

TEST(ErrorTexts, EverySenseKey) {
  const char* keys[] = {"NO ADDITIONAL SENSE INFORMATION",
                        "RECOVERED ERROR",
                        "NOT READY",
                        "MEDIUM ERROR",
                        "HARDWARE ERROR",
                        "ILLEGAL REQUEST",
                        "UNIT ATTENTION",
                        "DATA PROTECT",
                        "ERASE CHECK",
                        "VENDOR SPECIFIC",
                        "COPYABORTED",
                        "ABORTED COMMAND",
                        "EQUAL",
                        "VOLUME OVERFLOW",
                        "MISCOMPARE",
                        "RESERVED"};
  for (uint8_t key = 0; key < 16; ++key) {
    auto srb = checkCondition(key, 0, 0);
    srb.SenseArea[7] = 0;  // no additional sense
    EXPECT_EQ(requestErrorText(srb), keys[key]) << int{key};
  }
  auto srb = checkCondition(0x80, 0, 0);
  srb.SenseArea[7] = 0;
  EXPECT_EQ(requestErrorText(srb), "FILEMARK");
  srb.SenseArea[2] = 0x40;
  EXPECT_EQ(requestErrorText(srb), "END OF MEDIA");
  srb.SenseArea[2] = 0x20;
  EXPECT_EQ(requestErrorText(srb), "ILLEGAL LENGTH");
  EXPECT_EQ(requestErrorText(checkCondition(3, 0x11, 0x00, 0xF1)),
            "MEDIUM ERROR (UNRECOVERED READ ERROR)");
}

TEST(ErrorTexts, AdditionalSenseDescriptions) {
  EXPECT_EQ(requestErrorText(checkCondition(5, 0x24, 0x00)),
            "ILLEGAL REQUEST (INVALID FIELD IN CDB)");
  EXPECT_EQ(requestErrorText(checkCondition(2, 0x04, 0x08)),
            "NOT READY (LOGICAL UNIT NOT READY, LONG WRITE IN PROGRESS)");
  EXPECT_EQ(requestErrorText(checkCondition(5, 0x30, 0x00)),
            "ILLEGAL REQUEST (INCOMPATIBLE MEDIUM INSTALLED)");
  EXPECT_EQ(requestErrorText(checkCondition(3, 0x73, 0x03)),
            "MEDIUM ERROR (POWER CALIBRATION AREA ERROR)");
  EXPECT_EQ(requestErrorText(checkCondition(5, 0x99, 0x01)), "ILLEGAL REQUEST (153,1)");
  EXPECT_EQ(senseCodeText(0x3A, 0x02), "MEDIUM NOT PRESENT - TRAY OPEN");
  EXPECT_EQ(senseCodeText(0x00, 0x00), "NO ADDITIONAL SENSE INFORMATION");
  EXPECT_EQ(senseCodeText(0x73, 0x06), "RMA/PMA IS FULL");
  EXPECT_EQ(senseCodeText(0xFF, 0xFF), "255,255");
}

TEST(OpcodeNames, KnownCommandsPaddedOthersInHex) {
  EXPECT_EQ(opcodeName(0x00), "TEST UNIT READY       ");
  EXPECT_EQ(opcodeName(0x4A), "GET EVENT/STATUS NOTIF");
  EXPECT_EQ(opcodeName(0xBF), "SEND DVD STRUCTURE    ");
  EXPECT_EQ(opcodeName(0x02), "02");
  EXPECT_EQ(opcodeName(0xFE), "FE");
  EXPECT_EQ(traceTime(61 * 60000 + 5 * 1000 + 7), "01:05:007 ");
}

TEST(DescriptionAddress, WholeNumbersUpToTheirSeparators) {
  EXPECT_EQ(descriptionAddress("1:0:0,E: X"), (ScsiAddress{1, 0, 0}));
  EXPECT_EQ(descriptionAddress("12:0:0,E: X"), (ScsiAddress{12, 0, 0}));
  EXPECT_EQ(descriptionAddress("3:15:7 F:"), (ScsiAddress{3, 15, 7}));
  EXPECT_EQ(descriptionAddress("1:2:3"), (ScsiAddress{1, 2, 3}));
  EXPECT_FALSE(descriptionAddress("1:x:0,E:"));
  EXPECT_FALSE(descriptionAddress(":0:0,E:"));
  EXPECT_FALSE(descriptionAddress("1,0:0,E:"));
  EXPECT_FALSE(descriptionAddress("1:0:0;E:"));
  EXPECT_FALSE(descriptionAddress("1234:0:0,E:"));
  EXPECT_FALSE(descriptionAddress("254:0:0,E:"));  // the "no device" number
}

TEST(Quirks, TableOfModels) {
  const auto of = [](const char* vendor, const char* product) {
    return quirksFor(vendor, product);
  };
  Quirks plain;
  plain.d = true;
  EXPECT_EQ(of("PLEXTOR ", "CD-R   PX-W4012A"), plain);
  Quirks a = plain;
  a.a = true;
  EXPECT_EQ(of("TEAC    ", "CD-W512EB       "), a);
  Quirks b = plain;
  b.b = true;
  EXPECT_EQ(of("YAMAHA  ", "CRX175E         "), b);
  EXPECT_EQ(of("SONY    ", "CD-RW  CRX800E  "), b);
  Quirks c = plain;
  c.c = true;
  EXPECT_EQ(of("SONY    ", "CD-RW  CRX100E  "), c);
  Quirks slow = plain;
  slow.slowReadyProcess = true;
  EXPECT_EQ(of("MATSHITA", "UJDA720 DVD/CDRW"), slow);
  EXPECT_EQ(of("TDK     ", "CDRW121032      "), slow);
  Quirks pioneer = plain;
  pioneer.slowReady = true;
  EXPECT_EQ(of("PIONEER ", "DVD-RW  DVR-104 "), pioneer);
  EXPECT_EQ(of("PIONEER ", "DVD-RW  DVR-103 "), pioneer);
  EXPECT_EQ(of("PIONEER ", "DVD-RW  DVR-105 "), plain);
  EXPECT_EQ(of("TDK     ", "CDRW321040X     "), (Quirks{false, false, false, false, false, true}));
}

TEST(DiscTypes, NamesAndSpeeds) {
  EXPECT_EQ(discTypeOfProfile(0x0009), 2);
  EXPECT_EQ(discTypeOfProfile(0x0013), 8);
  EXPECT_EQ(discTypeOfProfile(0x001B), 11);
  EXPECT_EQ(discTypeOfProfile(0x0040), 0);
  EXPECT_STREQ(discTypeName(2), "CD-R");
  EXPECT_STREQ(discTypeName(9), "DVD-RW");
  EXPECT_STREQ(discTypeName(99), "UNKNOWN");
  EXPECT_EQ(profileName(0x0014), "DVD-RW Sequential Recording");
  EXPECT_EQ(profileName(0x001B), "DVD+RW");
  EXPECT_EQ(profileName(0x0003), "MO Eraseable");
  EXPECT_EQ(profileName(0x0040), "???????");
  EXPECT_EQ(speedText(3324, 6), "2.4X(3,324 KB/s)");
  EXPECT_EQ(speedText(4234, 3), "24X(4,234 KB/s)");
  EXPECT_EQ(speedText(706, 2), "4X(706 KB/s)");
}

}  // namespace
}  // namespace cdengine_test
