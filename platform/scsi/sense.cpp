#include "platform/scsi/sense.h"

#include <cstring>

namespace platform::scsi {

void writeFixedSense(const Sense& sense, uint8_t* out) {
  std::memset(out, 0, kFixedSenseLength);
  out[0] = 0x70;
  out[2] = sense.key & 0x0F;
  out[7] = kFixedSenseLength - 8;  // additional sense length
  out[12] = sense.asc;
  out[13] = sense.ascq;
  if (sense.progress >= 0) {
    out[15] = 0x80;  // SKSV: bytes 16-17 hold the progress indication
    out[16] = static_cast<uint8_t>(sense.progress >> 8);
    out[17] = static_cast<uint8_t>(sense.progress);
  }
}

Sense readFixedSense(const uint8_t* data, size_t length) {
  Sense sense;
  if (length < 14 || (data[0] & 0x7E) != 0x70) return sense;
  sense.key = data[2] & 0x0F;
  sense.asc = data[12];
  sense.ascq = data[13];
  if (length >= 18 && (data[15] & 0x80)) sense.progress = (data[16] << 8) | data[17];
  return sense;
}

ScsiOutcome checkCondition(const Sense& sense) {
  ScsiOutcome outcome;
  outcome.status = kStatusCheckCondition;
  writeFixedSense(sense, outcome.sense.data());
  outcome.senseLength = kFixedSenseLength;
  return outcome;
}

}  // namespace platform::scsi
