#pragma once
// One SCSI command as a device answers it, below the Windows-shaped calls:
// the command block, the data phase and what came back (SCSI status, sense,
// or a transport failure). The simulated writer and the host's SG_IO nodes
// both answer commands in this shape; the device handles and the ASPI driver
// stand-in translate it to and from the Windows records.

#include <array>
#include <cstddef>
#include <cstdint>

namespace platform::scsi {

enum class DataDirection { None, In, Out };

struct ScsiCommand {
  const uint8_t* cdb = nullptr;
  size_t cdbLength = 0;
  DataDirection direction = DataDirection::None;
  uint8_t* data = nullptr;
  uint32_t length = 0;  // bytes of the data buffer
  uint32_t timeoutMs = 0;
};

constexpr uint8_t kStatusGood = 0x00;
constexpr uint8_t kStatusCheckCondition = 0x02;
constexpr uint8_t kStatusBusy = 0x08;

struct ScsiOutcome {
  // How far the command got: Done means the device answered (with `status`);
  // the others are failures of the path to it.
  enum class Transport { Done, Timeout, BusReset, NoDevice, Failed };
  Transport transport = Transport::Done;
  uint8_t status = kStatusGood;
  uint32_t transferred = 0;  // bytes of the data phase that were moved
  std::array<uint8_t, 32> sense{};
  uint8_t senseLength = 0;
  int hostErrno = 0;  // Failed: the host's reason

  bool good() const { return transport == Transport::Done && status == kStatusGood; }
};

class ScsiTarget {
 public:
  virtual ~ScsiTarget() = default;
  virtual ScsiOutcome execute(const ScsiCommand& command) = 0;
};

}  // namespace platform::scsi
