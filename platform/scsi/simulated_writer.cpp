#include "platform/scsi/simulated_writer.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "platform/core/clock.h"
#include "platform/scsi/disc_files.h"
#include "platform/scsi/mmc_bytes.h"

namespace platform::scsi {

namespace fs = std::filesystem;

namespace {

// Command groups give the command block's length: 6 bytes for 00h-1Fh,
// 10 for 20h-5Fh, 12 for A0h-BFh.
size_t cdbLengthOf(uint8_t opcode) {
  if (opcode < 0x20) return 6;
  if (opcode < 0x60) return 10;
  if (opcode >= 0xA0 && opcode < 0xC0) return 12;
  return 0;
}

// Commands answered whatever state the drive is in: they neither wait for a
// background operation nor report a unit attention.
bool answeredAlways(uint8_t opcode) {
  return opcode == 0x12 || opcode == 0x03 || opcode == 0x46 || opcode == 0x5C;
}

// The commands that need a disc in the tray.
bool isMediaCommand(uint8_t opcode) {
  for (uint8_t known :
       {0x01, 0x04, 0x23, 0x25, 0x28, 0x2A, 0x35, 0x43, 0x51, 0x52, 0x53, 0x54, 0x5B, 0xA1, 0xBF})
    if (opcode == known) return true;
  return false;
}

}  // namespace

SimulatedWriter::SimulatedWriter(CdromConfig config, DiscLocator discInTray, Clock& clock)
    : config_(std::move(config)),
      discInTray_(std::move(discInTray)),
      clock_(clock),
      writeParams_(defaultWriteParameters()) {
  for (const CdromFault& fault : config_.faults) {
    if (fault.kind == CdromFault::Kind::NotReady) notReadyLeft_ += fault.value;
    if (fault.kind == CdromFault::Kind::Busy) busyLeft_ += fault.value;
  }
  refreshDisc();
  unitAttention_ = false;  // the disc was there when the drive came up
}

SimulatedWriter::~SimulatedWriter() = default;

std::array<uint8_t, 52> SimulatedWriter::defaultWriteParameters() {
  std::array<uint8_t, 52> page{};
  page[0] = 0x05;
  page[1] = 0x32;
  page[2] = 0x01;           // track at once
  page[3] = 0x04;           // no next session; data track, uninterrupted
  page[4] = 0x08;           // mode 1, 2048 bytes
  putBe16(&page[14], 150);  // audio pause length
  return page;
}

ScsiOutcome SimulatedWriter::execute(const ScsiCommand& command) {
  if (!command.cdb || command.cdbLength == 0) return checkCondition(sense::kInvalidOpcode);
  try {
    refreshDisc();
    finishLongOperation();
    const uint8_t opcode = command.cdb[0];
    size_t needed = cdbLengthOf(opcode);
    if (needed == 0) return checkCondition(sense::kInvalidOpcode);
    if (command.cdbLength < needed) return checkCondition(sense::kInvalidFieldInCdb);
    if (!answeredAlways(opcode)) {
      if (operation_) return checkCondition(progressSense());
      if (notReadyLeft_ > 0) {
        --notReadyLeft_;
        return checkCondition(sense::kNotReadyBecoming);
      }
      if (unitAttention_) {
        unitAttention_ = false;
        return checkCondition(sense::kMediumChanged);
      }
      if (deferredError_ && opcode == 0x00) {
        Sense error = *deferredError_;
        deferredError_.reset();
        return checkCondition(error);
      }
    }
    return dispatch(command);
  } catch (const std::exception&) {
    // A host failure inside the model (the disc files): the drive reports
    // an internal target failure rather than bringing the program down.
    return checkCondition(Sense{4, 0x44, 0x00});
  }
}

ScsiOutcome SimulatedWriter::dispatch(const ScsiCommand& c) {
  switch (c.cdb[0]) {
    case 0x00:
      return testUnitReady();
    case 0x03:
      return requestSense(c);
    case 0x12:
      return inquiry(c);
    case 0x1B:
      return startStopUnit(c);
    case 0x1E:
      return preventAllow(c);
    case 0x46:
      return getConfiguration(c);
    case 0x55:
      return modeSelect(c);
    case 0x5A:
      return modeSense(c);
    case 0x5C:
      return readBufferCapacity(c);
    case 0xBB:
      return setCdSpeed(c);
    case 0xB6:
      return ScsiOutcome{};  // SET STREAMING: the speed is the drive's own
    default:
      break;
  }
  if (!isMediaCommand(c.cdb[0])) return checkCondition(sense::kInvalidOpcode);
  if (!discPresent()) return checkCondition(noDiscSense());
  switch (c.cdb[0]) {
    case 0x04:
      return formatUnit(c);
    case 0x23:
      return readFormatCapacities(c);
    case 0x25:
      return readCapacity(c);
    case 0x28:
      return read10(c);
    case 0x2A:
      return write10(c);
    case 0x35:
      return synchronizeCache();
    case 0x43:
      return readToc(c);
    case 0x51:
      return readDiscInformation(c);
    case 0x52:
      return readTrackInformation(c);
    case 0x53:
      return reserveTrack();
    case 0x54:
      return sendOpc();
    case 0x5B:
      return closeTrackSession(c);
    case 0xA1:
      return blank(c);
    default:
      return ScsiOutcome{};  // REZERO UNIT; SEND DVD STRUCTURE, accepted and not kept
  }
}

ScsiOutcome SimulatedWriter::reply(const ScsiCommand& command, const std::vector<uint8_t>& bytes,
                                   uint32_t allocation) const {
  ScsiOutcome outcome;
  if (command.direction != DataDirection::In || !command.data) return outcome;
  uint32_t count = std::min<uint32_t>({uint32_t(bytes.size()), allocation, command.length});
  std::memcpy(command.data, bytes.data(), count);
  outcome.transferred = count;
  return outcome;
}

// ---- Tray and disc ----------------------------------------------------------

void SimulatedWriter::refreshDisc() {
  std::optional<fs::path> base = discInTray_();
  if (base && !DiscFiles(*base).exists()) base.reset();
  if (base == discBase_) return;
  dropDisc();
  if (base) {
    loadDisc(*base);
    if (!trayOpen_) unitAttention_ = true;
  }
}

void SimulatedWriter::loadDisc(const fs::path& base) {
  discBase_ = base;
  DiscFiles files(base);
  try {
    disc_ = files.load();
  } catch (const std::exception& error) {
    discError_ = error.what();
    return;
  }
  std::error_code error;
  image_ = DiscImage::open(files.imagePath(), error);
  if (error) {
    discError_ = "cannot open " + files.imagePath().string() + ": " + error.message();
    disc_.reset();
  }
}

void SimulatedWriter::dropDisc() {
  discBase_.reset();
  disc_.reset();
  discError_.clear();
  image_.close();
  track_.reset();
  operation_.reset();
}

Sense SimulatedWriter::noDiscSense() const {
  if (trayOpen_) return sense::kNoMediumTrayOpen;
  if (!discError_.empty()) return Sense{2, 0x30, 0x01};  // cannot read medium, unknown format
  return sense::kNoMediumTrayClosed;
}

void SimulatedWriter::saveDisc() {
  if (disc_ && discBase_) DiscFiles(*discBase_).save(*disc_);
}

// ---- Background operations --------------------------------------------------

uint64_t SimulatedWriter::blankDurationMs(bool full) const {
  return uint64_t(full ? config_.fullBlankSeconds : config_.quickBlankSeconds) * 1000;
}

void SimulatedWriter::finishLongOperation() {
  if (!operation_ || clock_.nowMs() - operation_->startMs < operation_->durationMs) return;
  LongOperation::Kind kind = operation_->kind;
  operation_.reset();
  if (hasFault(CdromFault::Kind::BlankError)) {
    deferredError_ = sense::kEraseFailure;
    return;
  }
  completeLongOperation(kind);
}

Sense SimulatedWriter::progressSense() const {
  Sense s = operation_->kind == LongOperation::Kind::Format ? sense::kNotReadyFormat
                                                            : sense::kNotReadyInProgress;
  uint64_t elapsed = clock_.nowMs() - operation_->startMs;
  uint64_t duration = std::max<uint64_t>(operation_->durationMs, 1);
  s.progress = int32_t(std::min<uint64_t>(elapsed * 65536 / duration, 65535));
  return s;
}

// ---- Faults -----------------------------------------------------------------

bool SimulatedWriter::hasFault(CdromFault::Kind kind) const {
  return std::any_of(config_.faults.begin(), config_.faults.end(),
                     [kind](const CdromFault& fault) { return fault.kind == kind; });
}

bool SimulatedWriter::faultCovers(CdromFault::Kind kind, uint32_t lba, uint32_t count) const {
  return std::any_of(config_.faults.begin(), config_.faults.end(), [&](const CdromFault& f) {
    return f.kind == kind && f.value >= lba && f.value < uint64_t(lba) + count;
  });
}

// ---- Commands without a disc ------------------------------------------------

ScsiOutcome SimulatedWriter::testUnitReady() {
  if (!discPresent()) return checkCondition(noDiscSense());
  return {};
}

ScsiOutcome SimulatedWriter::requestSense(const ScsiCommand& command) {
  if (command.cdb[1] & 0x01) return checkCondition(sense::kInvalidFieldInCdb);  // descriptor format
  Sense current;
  if (operation_) {
    current = progressSense();
  } else if (deferredError_) {
    current = *deferredError_;
    deferredError_.reset();
  } else if (unitAttention_) {
    current = sense::kMediumChanged;
    unitAttention_ = false;
  } else if (notReadyLeft_ > 0) {
    current = sense::kNotReadyBecoming;
  } else if (!discPresent()) {
    current = noDiscSense();
  }
  std::vector<uint8_t> bytes(kFixedSenseLength);
  writeFixedSense(current, bytes.data());
  return reply(command, bytes, command.cdb[4]);
}

ScsiOutcome SimulatedWriter::inquiry(const ScsiCommand& command) const {
  if (command.cdb[1] & 0x01) return checkCondition(sense::kInvalidFieldInCdb);  // no VPD pages
  std::vector<uint8_t> bytes(96, 0);
  bytes[0] = 0x05;  // CD/DVD device
  bytes[1] = 0x80;  // removable medium
  bytes[2] = 0x05;  // SPC-3
  bytes[3] = 0x02;  // response data format
  bytes[4] = uint8_t(bytes.size() - 5);
  auto field = [&](size_t at, size_t width, const std::string& text) {
    for (size_t i = 0; i < width; ++i) bytes[at + i] = i < text.size() ? uint8_t(text[i]) : ' ';
  };
  field(8, 8, config_.vendor);
  field(16, 16, config_.product);
  field(32, 4, config_.revision);
  return reply(command, bytes, getBe16(command.cdb + 3));
}

ScsiOutcome SimulatedWriter::startStopUnit(const ScsiCommand& command) {
  const bool loadEject = command.cdb[4] & 0x02;
  const bool start = command.cdb[4] & 0x01;
  if (!loadEject) return {};
  if (!start) {
    if (locked_) return checkCondition(sense::kMediumRemovalPrevented);
    trayOpen_ = true;
    track_.reset();
    return {};
  }
  if (trayOpen_) {
    trayOpen_ = false;
    if (disc_ || !discError_.empty()) unitAttention_ = true;
  }
  return {};
}

ScsiOutcome SimulatedWriter::preventAllow(const ScsiCommand& command) {
  locked_ = command.cdb[4] & 0x01;
  return {};
}

ScsiOutcome SimulatedWriter::setCdSpeed(const ScsiCommand& command) {
  uint16_t read = getBe16(command.cdb + 2);
  uint16_t write = getBe16(command.cdb + 4);
  readSpeed_ = read == 0xFFFF ? 0 : read;
  writeSpeed_ = write == 0xFFFF ? 0 : write;
  return {};
}

ScsiOutcome SimulatedWriter::readBufferCapacity(const ScsiCommand& command) const {
  if (command.cdb[1] & 0x01) return checkCondition(sense::kInvalidFieldInCdb);  // block form
  std::vector<uint8_t> bytes(12, 0);
  putBe16(&bytes[0], 10);
  putBe32(&bytes[4], config_.bufferSize);
  // The image takes every block at once: the buffer never fills.
  putBe32(&bytes[8], config_.bufferSize);
  return reply(command, bytes, getBe16(command.cdb + 7));
}

}  // namespace platform::scsi
