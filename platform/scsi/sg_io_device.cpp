#include "platform/scsi/sg_io_device.h"

#include <scsi/sg.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/host/host_device_node.h"

namespace platform::scsi {
namespace {

// Host (adapter) status values of the Linux SCSI midlayer.
constexpr unsigned short kDidNoConnect = 0x01;
constexpr unsigned short kDidBadTarget = 0x04;
constexpr unsigned short kDidTimeOut = 0x03;
constexpr unsigned short kDidReset = 0x08;
// Driver status: the command timed out in the driver.
constexpr unsigned short kDriverTimeout = 0x06;

constexpr unsigned kDefaultTimeoutMs = 60000;

}  // namespace

SgIoHost realSgIoHost() {
  return {host::openDeviceNode, host::deviceIoctl, host::closeDeviceNode};
}

std::unique_ptr<SgIoDevice> SgIoDevice::open(const std::string& node, bool readWrite, SgIoHost host,
                                             int& hostErrno) {
  int fd = host.open(node.c_str(), readWrite);
  if (fd < 0) {
    hostErrno = errno;
    return nullptr;
  }
  hostErrno = 0;
  return std::unique_ptr<SgIoDevice>(new SgIoDevice(fd, std::move(host)));
}

SgIoDevice::~SgIoDevice() {
  host_.close(fd_);
}

ScsiOutcome SgIoDevice::execute(const ScsiCommand& command) {
  ScsiOutcome outcome;
  sg_io_hdr_t header;
  std::memset(&header, 0, sizeof header);
  header.interface_id = 'S';
  switch (command.direction) {
    case DataDirection::None:
      header.dxfer_direction = SG_DXFER_NONE;
      break;
    case DataDirection::In:
      header.dxfer_direction = SG_DXFER_FROM_DEV;
      break;
    case DataDirection::Out:
      header.dxfer_direction = SG_DXFER_TO_DEV;
      break;
  }
  const bool hasData = command.direction != DataDirection::None && command.data;
  header.cmd_len = static_cast<unsigned char>(std::min<size_t>(command.cdbLength, 16));
  header.cmdp = const_cast<unsigned char*>(command.cdb);
  header.dxfer_len = hasData ? command.length : 0;
  header.dxferp = hasData ? command.data : nullptr;
  header.mx_sb_len = static_cast<unsigned char>(outcome.sense.size());
  header.sbp = outcome.sense.data();
  header.timeout = command.timeoutMs ? command.timeoutMs : kDefaultTimeoutMs;

  if (host_.ioctl(fd_, SG_IO, &header) < 0) {
    outcome.hostErrno = errno;
    outcome.transport = errno == ENODEV || errno == ENXIO ? ScsiOutcome::Transport::NoDevice
                                                          : ScsiOutcome::Transport::Failed;
    return outcome;
  }
  if (header.host_status == kDidTimeOut || (header.driver_status & 0x0F) == kDriverTimeout) {
    outcome.transport = ScsiOutcome::Transport::Timeout;
  } else if (header.host_status == kDidReset) {
    outcome.transport = ScsiOutcome::Transport::BusReset;
  } else if (header.host_status == kDidNoConnect || header.host_status == kDidBadTarget) {
    outcome.transport = ScsiOutcome::Transport::NoDevice;
  } else if (header.host_status != 0) {
    outcome.transport = ScsiOutcome::Transport::Failed;
  }
  outcome.status = header.status;
  outcome.senseLength = std::min<uint8_t>(header.sb_len_wr, uint8_t(outcome.sense.size()));
  int moved = int(header.dxfer_len) - header.resid;
  outcome.transferred = moved > 0 ? uint32_t(moved) : 0;
  return outcome;
}

}  // namespace platform::scsi
