#pragma once
// Fixed-format sense data (response code 70h) and the sense codes the
// simulated writer reports.

#include <cstdint>

#include "platform/scsi/scsi_target.h"

namespace platform::scsi {

struct Sense {
  uint8_t key = 0;
  uint8_t asc = 0;
  uint8_t ascq = 0;
  // Progress of a long operation, 0 to 65535, in the sense-key-specific
  // bytes (SKSV set); none when negative.
  int32_t progress = -1;

  bool none() const { return key == 0 && asc == 0 && ascq == 0 && progress < 0; }
  bool operator==(const Sense& other) const = default;
};

constexpr uint8_t kFixedSenseLength = 18;

// Writes the 18 bytes of fixed-format sense data.
void writeFixedSense(const Sense& sense, uint8_t* out);
// Reads key, code, qualifier and progress back from fixed-format sense data;
// all zero for data too short or of another format.
Sense readFixedSense(const uint8_t* data, size_t length);

// An outcome of CHECK CONDITION carrying `sense`.
ScsiOutcome checkCondition(const Sense& sense);

namespace sense {
constexpr Sense kNone{0, 0, 0};
constexpr Sense kNotReadyBecoming{2, 0x04, 0x01};
constexpr Sense kNotReadyInProgress{2, 0x04, 0x07};
constexpr Sense kNotReadyLongWrite{2, 0x04, 0x08};
constexpr Sense kNotReadyFormat{2, 0x04, 0x04};
constexpr Sense kNoMedium{2, 0x3A, 0x00};
constexpr Sense kNoMediumTrayClosed{2, 0x3A, 0x01};
constexpr Sense kNoMediumTrayOpen{2, 0x3A, 0x02};
constexpr Sense kWriteError{3, 0x0C, 0x00};
constexpr Sense kBufferUnderrun{3, 0x0C, 0x09};
constexpr Sense kUnrecoveredRead{3, 0x11, 0x00};
constexpr Sense kEraseFailure{3, 0x51, 0x00};
constexpr Sense kSessionFixation{3, 0x72, 0x00};
constexpr Sense kParameterListLength{5, 0x1A, 0x00};
constexpr Sense kInvalidOpcode{5, 0x20, 0x00};
constexpr Sense kLbaOutOfRange{5, 0x21, 0x00};
constexpr Sense kInvalidWriteAddress{5, 0x21, 0x02};
constexpr Sense kInvalidFieldInCdb{5, 0x24, 0x00};
constexpr Sense kInvalidFieldInParameters{5, 0x26, 0x00};
constexpr Sense kCommandSequence{5, 0x2C, 0x00};
constexpr Sense kMediumNotFormatted{5, 0x30, 0x10};
constexpr Sense kCannotFormat{5, 0x30, 0x06};
constexpr Sense kIncompatibleFormat{5, 0x30, 0x05};
constexpr Sense kSavingNotSupported{5, 0x39, 0x00};
constexpr Sense kMediumRemovalPrevented{5, 0x53, 0x02};
constexpr Sense kMediumChanged{6, 0x28, 0x00};
}  // namespace sense

}  // namespace platform::scsi
