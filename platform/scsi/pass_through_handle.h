#pragma once
// A device handle of a CD drive ("\\.\X:") answering the two control codes
// of the Windows SCSI pass-through: IOCTL_SCSI_GET_ADDRESS and
// IOCTL_SCSI_PASS_THROUGH_DIRECT, on top of a ScsiTarget. Commands from
// several handles of one drive are sent one at a time.

#include <memory>
#include <mutex>
#include <optional>

#include "platform/scsi/device_io.h"
#include "platform/scsi/scsi_structures.h"
#include "platform/scsi/scsi_target.h"

namespace platform::scsi {

// One drive's target with the lock its handles share.
struct SharedTarget {
  explicit SharedTarget(std::unique_ptr<ScsiTarget> t) : target(std::move(t)) {}
  std::mutex lock;
  std::unique_ptr<ScsiTarget> target;
};

// The Windows error of a command that did not reach its end (0 when it did).
uint32_t windowsErrorOf(const ScsiOutcome& outcome);

class PassThroughHandle : public DeviceHandle {
 public:
  // `address` nullopt: the drive's address cannot be read. `target` null:
  // no SCSI device behind the drive, so neither control code works. A
  // read-only handle refuses commands that send data to the drive.
  PassThroughHandle(std::shared_ptr<SharedTarget> target, std::optional<SCSI_ADDRESS> address,
                    bool readWrite);

  bool ioControl(uint32_t code, void* in, uint32_t inSize, void* out, uint32_t outSize,
                 uint32_t& returned, uint32_t& error) override;

 private:
  bool passThrough(void* in, uint32_t inSize, uint32_t outSize, uint32_t& returned,
                   uint32_t& error);

  std::shared_ptr<SharedTarget> target_;
  std::optional<SCSI_ADDRESS> address_;
  bool readWrite_;
};

}  // namespace platform::scsi
