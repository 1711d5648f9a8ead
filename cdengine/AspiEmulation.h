#pragma once
// The engine's own ASPI ("SPTIASPI"): the ASPI for Win32 requests the
// transport sends, answered over the Windows SCSI pass-through of each CD
// drive letter. Discovery keeps one slot per drive C: to Z: with its address
// and its first 36 INQUIRY bytes, so an INQUIRY never reaches a busy drive.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cdengine/DeviceDescription.h"
#include "platform/scsi/device_io.h"
#include "platform/scsi/scsi_structures.h"

namespace cdengine {

class AspiEmulation {
 public:
  explicit AspiEmulation(const platform::scsi::DeviceAccess& access);

  // Finds the CD drives; true when there is at least one.
  bool discover();
  // GetASPI32SupportInfo: adapter count in the low byte, status in the next.
  uint32_t supportInfo() const;
  // SendASPI32Command: answers the request and returns its status.
  uint32_t sendCommand(void* srb);
  // While on (the default), a drive's handle is closed after each command.
  void setCloseAfterEachCommand(bool on);
  // The drive letter of an address, 0 when no slot has it.
  char driveLetter(const ScsiAddress& address) const;
  // The address of a drive letter, when discovery found it.
  std::optional<ScsiAddress> addressOf(char letter) const;
  // Closes every open handle.
  void closeHandles();

 private:
  struct Slot {
    ScsiAddress address;
    char letter = 0;
    std::unique_ptr<platform::scsi::DeviceHandle> handle;
    std::array<uint8_t, 36> inquiry{};
  };

  Slot* find(const ScsiAddress& address);
  uint8_t adapterCount() const;
  uint32_t hostAdapterInquiry(platform::scsi::SRB_HAInquiry& srb) const;
  uint32_t deviceType(platform::scsi::SRB_GDEVBlock& srb);
  uint32_t execute(platform::scsi::SRB_ExecSCSICmd& srb);
  bool open(Slot& slot);

  const platform::scsi::DeviceAccess& access_;
  std::vector<Slot> slots_;
  bool closeAfterEachCommand_ = true;
};

// One pass-through command on an open handle: the command block, the data
// buffer and its direction, the time-out in seconds and the sense bytes.
// Returns the Windows error code (0 on success) and fills `scsiStatus` and
// `sense` (up to its length).
uint32_t passThrough(platform::scsi::DeviceHandle& handle, const uint8_t* cdb, uint8_t cdbLength,
                     uint8_t direction, void* data, uint32_t dataLength, uint32_t timeoutSeconds,
                     uint8_t& scsiStatus, uint8_t* sense, uint8_t senseLength);

// The device path of a drive letter: \\.\E: for E.
std::string devicePath(char letter);

// Opens a drive letter's device for reading and writing, else for reading.
std::unique_ptr<platform::scsi::DeviceHandle> openDrive(const platform::scsi::DeviceAccess& access,
                                                        char letter);

// IOCTL_SCSI_GET_ADDRESS on an open handle.
std::optional<platform::scsi::SCSI_ADDRESS> scsiAddress(platform::scsi::DeviceHandle& handle);

}  // namespace cdengine
