#pragma once
// A host SCSI node (/dev/srN, /dev/sgN) driven with the SG_IO ioctl: the
// command block, direction, buffer and time-out go into an sg_io_hdr; SCSI
// status and sense come back, and the host's adapter status becomes a
// transport outcome (DID_TIME_OUT a time-out, DID_RESET a bus reset,
// DID_NO_CONNECT or ENODEV no device). open, ioctl and close are
// injectable so tests drive it without a drive.

#include <functional>
#include <memory>
#include <string>

#include "platform/scsi/scsi_target.h"

namespace platform::scsi {

struct SgIoHost {
  // Opens a node without blocking; -1 and errno on failure.
  std::function<int(const char* path, bool readWrite)> open;
  std::function<int(int fd, unsigned long request, void* argument)> ioctl;
  std::function<int(int fd)> close;
};

// The host's own open, ioctl and close.
SgIoHost realSgIoHost();

class SgIoDevice : public ScsiTarget {
 public:
  // Opens `node` (non-blocking, read-write or read-only); nullptr with
  // `hostErrno` set when the host refuses.
  static std::unique_ptr<SgIoDevice> open(const std::string& node, bool readWrite, SgIoHost host,
                                          int& hostErrno);
  ~SgIoDevice() override;

  ScsiOutcome execute(const ScsiCommand& command) override;

 private:
  SgIoDevice(int fd, SgIoHost host) : fd_(fd), host_(std::move(host)) {}
  int fd_;
  SgIoHost host_;
};

}  // namespace platform::scsi
