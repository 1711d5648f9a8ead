#pragma once
// The MMC commands the engine sends, as data: each operation code's
// command-block length, data direction and time-out, and one builder per
// command that fills the fields the engine sets (everything else is zero).
// Every request asks for event notification and a 24-byte sense area;
// multi-byte fields are big-endian.

#include <cstdint>
#include <memory>
#include <vector>

#include "cdengine/MmcReplies.h"
#include "platform/scsi/scsi_structures.h"

namespace cdengine {

class TSCSIDevice;

enum class DataDirection { None, In, Out };

struct CommandSpec {
  uint8_t opcode;
  uint8_t cdbLength;
  DataDirection direction;
  uint32_t timeoutMs;  // 0: the caller's
};

// The table row of an operation code the engine sends.
const CommandSpec& commandSpec(uint8_t opcode);

// One request: its command block, its data (an own buffer, or the caller's
// for blocks written and read) and, once run, its status and sense.
class MmcRequest {
 public:
  // With `dataLength` bytes of own, zeroed buffer.
  explicit MmcRequest(uint8_t opcode, uint32_t dataLength = 0);
  // Over the caller's buffer of `dataLength` bytes.
  MmcRequest(uint8_t opcode, uint8_t* data, uint32_t dataLength);

  MmcRequest& byte(int index, uint8_t value);
  MmcRequest& be16(int index, uint16_t value);
  MmcRequest& be32(int index, uint32_t value);
  // Copies `length` bytes into the start of the own buffer.
  MmcRequest& outData(const uint8_t* bytes, size_t length);

  // Sends it with the table's time-out, or `timeoutMs` for the commands
  // whose time-out is the caller's. True when it completed.
  bool run(TSCSIDevice& device, uint32_t timeoutMs = 0);
  uint8_t status() const { return srb_.h.SRB_Status; }
  bool pending() const { return status() == platform::scsi::SS_PENDING; }
  Reply reply() const { return Reply(srb_.SRB_BufPointer, srb_.SRB_BufLen); }
  const platform::scsi::SRB_ExecSCSICmd& srb() const { return srb_; }

 private:
  const CommandSpec& spec_;
  platform::scsi::SRB_ExecSCSICmd srb_;
  std::unique_ptr<uint32_t[]> own_;  // word-aligned for the transport
};

// The builders, by the engine's use of each command.
namespace mmc {
MmcRequest testUnitReady();
MmcRequest rezeroUnit();
MmcRequest requestSense();
MmcRequest formatUnit(const uint8_t (&formatList)[12]);
MmcRequest startStopUnit(bool load);
MmcRequest preventAllowRemoval(bool lock);
MmcRequest readFormatCapacities();
MmcRequest readCapacity();
MmcRequest read10(uint32_t lba, uint16_t count, uint8_t* buffer);
MmcRequest write10(uint32_t lba, uint16_t count, uint8_t* buffer);
MmcRequest synchronizeCache(bool immediate);
MmcRequest readToc(uint8_t format, bool msf, uint8_t trackOrSession, uint8_t allocation);
MmcRequest getConfiguration(uint16_t startingFeature);
MmcRequest readDiscInformation();
MmcRequest readTrackInformation(uint32_t track);
MmcRequest reserveTrack(uint32_t blocks);
MmcRequest sendOpcInformation();
MmcRequest modeSelect(const uint8_t* parameters, uint16_t length);
MmcRequest modeSense(uint8_t page, bool defaults, uint16_t allocation);
MmcRequest closeTrackSession(bool immediate, uint8_t function, uint8_t track);
MmcRequest readBufferCapacity();
MmcRequest blank(uint8_t type);
MmcRequest setStreaming(const uint8_t (&descriptor)[28]);
MmcRequest setCdSpeed(uint32_t readKbps, uint32_t writeKbps);
MmcRequest sendDvdStructure(uint8_t format, const uint8_t* data, uint16_t length);
}  // namespace mmc

}  // namespace cdengine
