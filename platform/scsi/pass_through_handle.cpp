#include "platform/scsi/pass_through_handle.h"

#include <algorithm>
#include <cstring>

namespace platform::scsi {

uint32_t windowsErrorOf(const ScsiOutcome& outcome) {
  switch (outcome.transport) {
    case ScsiOutcome::Transport::Done:
      return 0;
    case ScsiOutcome::Transport::Timeout:
      return ERROR_SEM_TIMEOUT;
    case ScsiOutcome::Transport::BusReset:
      return ERROR_BUS_RESET;
    case ScsiOutcome::Transport::NoDevice:
      return ERROR_DEV_NOT_EXIST;
    case ScsiOutcome::Transport::Failed:
      break;
  }
  return ERROR_IO_DEVICE;
}

PassThroughHandle::PassThroughHandle(std::shared_ptr<SharedTarget> target,
                                     std::optional<SCSI_ADDRESS> address, bool readWrite)
    : target_(std::move(target)), address_(address), readWrite_(readWrite) {}

bool PassThroughHandle::ioControl(uint32_t code, void* in, uint32_t inSize, void* out,
                                  uint32_t outSize, uint32_t& returned, uint32_t& error) {
  returned = 0;
  error = 0;
  if (!target_ || (code != IOCTL_SCSI_GET_ADDRESS && code != IOCTL_SCSI_PASS_THROUGH_DIRECT)) {
    error = ERROR_INVALID_FUNCTION;
    return false;
  }
  if (code == IOCTL_SCSI_GET_ADDRESS) {
    if (!address_) {
      error = ERROR_INVALID_FUNCTION;
      return false;
    }
    if (!out || outSize < sizeof(SCSI_ADDRESS)) {
      error = ERROR_INSUFFICIENT_BUFFER;
      return false;
    }
    std::memcpy(out, &*address_, sizeof(SCSI_ADDRESS));
    returned = sizeof(SCSI_ADDRESS);
    return true;
  }
  return passThrough(in, inSize, outSize, returned, error);
}

bool PassThroughHandle::passThrough(void* in, uint32_t inSize, uint32_t outSize, uint32_t& returned,
                                    uint32_t& error) {
  if (!in || inSize < sizeof(SCSI_PASS_THROUGH_DIRECT)) {
    error = ERROR_INVALID_PARAMETER;
    return false;
  }
  auto& sptd = *static_cast<SCSI_PASS_THROUGH_DIRECT*>(in);
  const bool senseFits = sptd.SenseInfoLength == 0 ||
                         (sptd.SenseInfoOffset >= sizeof(SCSI_PASS_THROUGH_DIRECT) &&
                          uint64_t(sptd.SenseInfoOffset) + sptd.SenseInfoLength <= inSize);
  if (sptd.CdbLength == 0 || sptd.CdbLength > 16 || sptd.DataIn > SCSI_IOCTL_DATA_UNSPECIFIED ||
      (sptd.DataTransferLength > 0 && !sptd.DataBuffer) || !senseFits) {
    error = ERROR_INVALID_PARAMETER;
    return false;
  }
  ScsiCommand command;
  command.cdb = sptd.Cdb;
  command.cdbLength = sptd.CdbLength;
  command.direction = sptd.DataIn == SCSI_IOCTL_DATA_IN    ? DataDirection::In
                      : sptd.DataIn == SCSI_IOCTL_DATA_OUT ? DataDirection::Out
                                                           : DataDirection::None;
  if (sptd.DataTransferLength == 0) command.direction = DataDirection::None;
  if (command.direction == DataDirection::Out && !readWrite_) {
    error = ERROR_ACCESS_DENIED;
    return false;
  }
  command.data = static_cast<uint8_t*>(sptd.DataBuffer);
  command.length = sptd.DataTransferLength;
  command.timeoutMs = sptd.TimeOutValue * 1000;
  ScsiOutcome outcome;
  {
    std::lock_guard<std::mutex> hold(target_->lock);
    outcome = target_->target->execute(command);
  }
  if (uint32_t failure = windowsErrorOf(outcome)) {
    error = failure;
    return false;
  }
  sptd.ScsiStatus = outcome.status;
  if (command.direction != DataDirection::None) sptd.DataTransferLength = outcome.transferred;
  uint8_t senseCopied = std::min(sptd.SenseInfoLength, outcome.senseLength);
  if (outcome.status == kStatusGood) senseCopied = 0;
  if (senseCopied)
    std::memcpy(static_cast<uint8_t*>(in) + sptd.SenseInfoOffset, outcome.sense.data(),
                senseCopied);
  sptd.SenseInfoLength = senseCopied;
  returned = std::min<uint32_t>(outSize, senseCopied ? sptd.SenseInfoOffset + senseCopied
                                                     : uint32_t(sizeof(SCSI_PASS_THROUGH_DIRECT)));
  return true;
}

}  // namespace platform::scsi
