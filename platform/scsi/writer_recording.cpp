// The simulated writer reading and recording: READ (10), WRITE (10) at the
// next writable address, SYNCHRONIZE CACHE, CLOSE TRACK/SESSION, RESERVE
// TRACK, SEND OPC, BLANK and FORMAT UNIT, with the faults machine.ini asks
// for.
#include <algorithm>

#include "platform/core/clock.h"
#include "platform/scsi/mmc_bytes.h"
#include "platform/scsi/simulated_writer.h"

namespace platform::scsi {
namespace {

constexpr Sense kWriteProtected{7, 0x27, 0x00};

bool carriesSectors(const ScsiCommand& command, DataDirection direction, uint32_t count) {
  return command.direction == direction && command.data &&
         command.length >= uint64_t(count) * kSectorSize;
}

}  // namespace

ScsiOutcome SimulatedWriter::read10(const ScsiCommand& command) {
  const uint32_t lba = getBe32(command.cdb + 2);
  const uint32_t count = getBe16(command.cdb + 7);
  if (count == 0) return {};
  if (!carriesSectors(command, DataDirection::In, count))
    return checkCondition(sense::kInvalidFieldInCdb);
  uint32_t readable = recordedEnd(*disc_);
  if (isOverwritable(disc_->kind) && disc_->status == DiscStatus::Closed)
    readable = disc_->capacity;
  if (track_ && !track_->testing) readable = std::max(readable, track_->next);
  if (uint64_t(lba) + count > readable) return checkCondition(sense::kLbaOutOfRange);
  if (faultCovers(CdromFault::Kind::Unreadable, lba, count))
    return checkCondition(sense::kUnrecoveredRead);
  if (image_.read(lba, command.data, count)) return checkCondition(sense::kUnrecoveredRead);
  ScsiOutcome outcome;
  outcome.transferred = count * kSectorSize;
  return outcome;
}

ScsiOutcome SimulatedWriter::write10(const ScsiCommand& command) {
  const uint32_t lba = getBe32(command.cdb + 2);
  const uint32_t count = getBe16(command.cdb + 7);
  if (busyLeft_ > 0) {
    --busyLeft_;
    return checkCondition(sense::kNotReadyLongWrite);
  }
  if (!isRecordable(disc_->kind)) return checkCondition(kWriteProtected);
  if (count == 0) return {};
  if (!carriesSectors(command, DataDirection::Out, count))
    return checkCondition(sense::kInvalidFieldInCdb);
  if (uint64_t(lba) + count > disc_->capacity) return checkCondition(sense::kLbaOutOfRange);
  if (isOverwritable(disc_->kind)) return writeOverwritable(command, lba, count);
  if (disc_->status == DiscStatus::Closed) return checkCondition(sense::kInvalidWriteAddress);
  if (!track_) {
    uint32_t start = nextSessionStart(*disc_);
    track_ = OpenTrack{start, start, testWriting(), false};
  }
  if (track_->spoilt) return checkCondition(sense::kBufferUnderrun);
  if (lba != track_->next) return checkCondition(sense::kInvalidWriteAddress);
  if (faultCovers(CdromFault::Kind::Removed, lba, count)) {
    trayOpen_ = true;
    track_.reset();
    return checkCondition(sense::kNoMedium);
  }
  if (faultCovers(CdromFault::Kind::WriteError, lba, count))
    return checkCondition(sense::kWriteError);
  if (faultCovers(CdromFault::Kind::Underrun, lba, count)) {
    if (!underrunProtected()) {
      track_->spoilt = true;
      return checkCondition(sense::kBufferUnderrun);
    }
    ++absorbedUnderruns_;
  }
  // A test write goes through the motions without the laser: nothing lands.
  if (!track_->testing && image_.write(lba, command.data, count))
    return checkCondition(sense::kWriteError);
  track_->next += count;
  return {};
}

ScsiOutcome SimulatedWriter::writeOverwritable(const ScsiCommand& command, uint32_t lba,
                                               uint32_t count) {
  if (disc_->status != DiscStatus::Closed) return checkCondition(sense::kMediumNotFormatted);
  if (faultCovers(CdromFault::Kind::Removed, lba, count)) {
    trayOpen_ = true;
    return checkCondition(sense::kNoMedium);
  }
  if (faultCovers(CdromFault::Kind::WriteError, lba, count))
    return checkCondition(sense::kWriteError);
  if (faultCovers(CdromFault::Kind::Underrun, lba, count)) {
    if (!underrunProtected()) return checkCondition(sense::kBufferUnderrun);
    ++absorbedUnderruns_;
  }
  if (testWriting()) return {};
  if (image_.write(lba, command.data, count)) return checkCondition(sense::kWriteError);
  uint32_t end = std::max(recordedEnd(*disc_), lba + count);
  disc_->sessions.assign(1, DiscSession{0, end});
  return {};
}

ScsiOutcome SimulatedWriter::synchronizeCache() {
  if (hasFault(CdromFault::Kind::SyncError)) return checkCondition(sense::kWriteError);
  if (track_ && track_->testing) {
    track_.reset();  // the simulated track is gone once the buffer is flushed
    return {};
  }
  if (image_.sync()) return checkCondition(sense::kWriteError);
  if (isOverwritable(disc_->kind)) saveDisc();
  return {};
}

ScsiOutcome SimulatedWriter::closeTrackSession(const ScsiCommand& command) {
  const uint8_t function = command.cdb[2] & 0x07;
  if (function != 1 && function != 2 && function != 3)
    return checkCondition(sense::kInvalidFieldInCdb);
  if (hasFault(CdromFault::Kind::CloseError)) return checkCondition(sense::kSessionFixation);
  if (function == 1) {
    // The track is closed with its session: one track per session.
    if (track_ && track_->testing) track_.reset();
    return {};
  }
  return closeSession();
}

ScsiOutcome SimulatedWriter::closeSession() {
  if (isOverwritable(disc_->kind)) {
    if (image_.sync()) return checkCondition(sense::kWriteError);
    saveDisc();
    return {};
  }
  const bool written = track_ && !track_->testing && track_->next > track_->start;
  if (!written) {
    track_.reset();
    // Closing an appendable disc without a new session finalises it.
    if (disc_->status == DiscStatus::Appendable && !nextSessionAllowed()) {
      disc_->status = DiscStatus::Closed;
      saveDisc();
    }
    return {};
  }
  if (image_.sync()) return checkCondition(sense::kWriteError);
  disc_->sessions.push_back({track_->start, track_->next - track_->start});
  const bool spoilt = track_->spoilt;
  track_.reset();
  disc_->status = spoilt || !nextSessionAllowed() || nextSessionStart(*disc_) >= disc_->capacity
                      ? DiscStatus::Closed
                      : DiscStatus::Appendable;
  saveDisc();
  return {};
}

ScsiOutcome SimulatedWriter::reserveTrack() const {
  if (!isRecordable(disc_->kind) || disc_->status == DiscStatus::Closed)
    return checkCondition(sense::kCommandSequence);
  return {};
}

ScsiOutcome SimulatedWriter::sendOpc() const {
  if (!isRecordable(disc_->kind)) return checkCondition(sense::kIncompatibleFormat);
  return {};
}

ScsiOutcome SimulatedWriter::blank(const ScsiCommand& command) {
  const uint8_t type = command.cdb[1] & 0x07;
  const bool immediate = command.cdb[1] & 0x10;
  if (disc_->kind != DiscKind::CdRw) return checkCondition(sense::kCannotFormat);
  if (type > 1) return checkCondition(sense::kInvalidFieldInCdb);
  return startLongOperation(
      type == 0 ? LongOperation::Kind::FullBlank : LongOperation::Kind::QuickBlank, immediate);
}

ScsiOutcome SimulatedWriter::formatUnit(const ScsiCommand& command) {
  if (!(command.cdb[1] & 0x10)) return checkCondition(sense::kInvalidFieldInCdb);
  if (disc_->kind != DiscKind::DvdPlusRw) return checkCondition(sense::kCannotFormat);
  if (command.direction != DataDirection::Out || !command.data || command.length < 12)
    return checkCondition(sense::kParameterListLength);
  const uint8_t* list = command.data;
  if (getBe16(list + 2) < 8 || (list[8] >> 2) != 0x26)
    return checkCondition(sense::kInvalidFieldInParameters);
  return startLongOperation(LongOperation::Kind::Format, list[1] & 0x02);
}

ScsiOutcome SimulatedWriter::startLongOperation(LongOperation::Kind kind, bool immediate) {
  LongOperation operation{kind, clock_.nowMs(),
                          blankDurationMs(kind == LongOperation::Kind::FullBlank)};
  if (immediate) {
    operation_ = operation;
    return {};
  }
  clock_.sleepMs(operation.durationMs);
  if (hasFault(CdromFault::Kind::BlankError)) return checkCondition(sense::kEraseFailure);
  completeLongOperation(kind);
  return {};
}

void SimulatedWriter::completeLongOperation(LongOperation::Kind kind) {
  disc_->sessions.clear();
  disc_->status = kind == LongOperation::Kind::Format ? DiscStatus::Closed : DiscStatus::Blank;
  track_.reset();
  image_.truncate(0);
  saveDisc();
}

}  // namespace platform::scsi
