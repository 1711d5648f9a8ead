// The simulated writer's answers about the disc: READ CAPACITY, READ
// TOC/PMA/ATIP, READ DISC INFORMATION, READ TRACK INFORMATION and READ
// FORMAT CAPACITIES, laid out as MMC-5 gives them.
#include <algorithm>

#include "platform/scsi/mmc_bytes.h"
#include "platform/scsi/simulated_writer.h"

namespace platform::scsi {
namespace {

// ATIP start of the lead-in of the simulated blanks, 97:27:00.
constexpr uint8_t kLeadInMsf[3] = {97, 27, 0};

struct TrackView {
  uint32_t number = 0;
  uint32_t start = 0;
  uint32_t size = 0;
  uint32_t next = 0;  // next writable address when `writable`
  uint32_t free = 0;
  uint32_t lastRecorded = 0;
  bool writable = false;
  bool blank = false;
  bool recorded = false;
};

}  // namespace

uint32_t SimulatedWriter::sessionCountWithOpen() const {
  return uint32_t(disc_->sessions.size()) +
         (disc_->status != DiscStatus::Closed && !isOverwritable(disc_->kind) ? 1 : 0);
}

ScsiOutcome SimulatedWriter::readCapacity(const ScsiCommand& command) const {
  std::vector<uint8_t> bytes(8, 0);
  uint32_t end = isOverwritable(disc_->kind) && disc_->status == DiscStatus::Closed
                     ? disc_->capacity
                     : recordedEnd(*disc_);
  putBe32(&bytes[0], end ? end - 1 : 0);
  putBe32(&bytes[4], kSectorSize);
  return reply(command, bytes, 8);
}

ScsiOutcome SimulatedWriter::readToc(const ScsiCommand& command) const {
  const bool msf = command.cdb[1] & 0x02;
  const uint8_t format = command.cdb[2] & 0x0F;
  const uint8_t track = command.cdb[6];
  const uint32_t allocation = getBe16(command.cdb + 7);
  const auto& sessions = disc_->sessions;
  std::vector<uint8_t> bytes(4, 0);
  if (format == 0) {
    if (sessions.empty() || (track > sessions.size() && track != 0xAA))
      return checkCondition(sense::kInvalidFieldInCdb);
    bytes[2] = 1;
    bytes[3] = uint8_t(sessions.size());
    auto descriptor = [&](uint8_t number, uint32_t lba) {
      uint8_t d[8] = {0, 0x14, number, 0, 0, 0, 0, 0};
      putTocAddress(d + 4, lba, msf);
      bytes.insert(bytes.end(), d, d + 8);
    };
    if (track != 0xAA)
      for (size_t i = std::max<size_t>(track, 1); i <= sessions.size(); ++i)
        descriptor(uint8_t(i), sessions[i - 1].start);
    descriptor(0xAA, sessions.back().end());
  } else if (format == 1) {
    if (sessions.empty()) return checkCondition(sense::kInvalidFieldInCdb);
    bytes[2] = 1;
    bytes[3] = uint8_t(sessions.size());
    uint8_t d[8] = {0, 0x14, uint8_t(sessions.size()), 0, 0, 0, 0, 0};
    putTocAddress(d + 4, sessions.back().start, msf);
    bytes.insert(bytes.end(), d, d + 8);
  } else if (format == 4) {
    if (!isCd(disc_->kind) || !isRecordable(disc_->kind))
      return checkCondition(sense::kInvalidFieldInCdb);
    bytes.resize(32, 0);
    bytes[4] = 0xD2;  // indicative writing power 5, reference speed 2
    bytes[6] = uint8_t(0x80 | (disc_->kind == DiscKind::CdRw ? 0x48 : 0x00));
    std::copy(kLeadInMsf, kLeadInMsf + 3, &bytes[8]);
    putMsf(&bytes[12], disc_->capacity);
  } else {
    return checkCondition(sense::kInvalidFieldInCdb);
  }
  putBe16(&bytes[0], uint32_t(bytes.size() - 2));
  return reply(command, bytes, allocation);
}

ScsiOutcome SimulatedWriter::readDiscInformation(const ScsiCommand& command) const {
  if (command.cdb[1] & 0x07) return checkCondition(sense::kInvalidFieldInCdb);
  std::vector<uint8_t> bytes(34, 0);
  putBe16(&bytes[0], 32);
  const bool writing = track_ && track_->next > track_->start;
  uint8_t lastSession = 0, status = 0;
  switch (disc_->status) {
    case DiscStatus::Blank:
      lastSession = writing ? 1 : 0;
      status = writing ? 1 : 0;
      break;
    case DiscStatus::Appendable:
      lastSession = writing ? 1 : 0;
      status = 1;
      break;
    case DiscStatus::Closed:
      lastSession = 3;
      status = 2;
      break;
  }
  bytes[2] = uint8_t((isRewritable(disc_->kind) ? 0x10 : 0) | (lastSession << 2) | status);
  bytes[3] = 1;
  const uint32_t sessions = std::max<uint32_t>(sessionCountWithOpen(), 1);
  bytes[4] = uint8_t(sessions);
  bytes[5] = bytes[6] = uint8_t(sessions);
  bytes[9] = bytes[10] = bytes[11] = uint8_t(sessions >> 8);
  bytes[7] = 0x20;  // unrestricted use
  if (disc_->status == DiscStatus::Closed || !isCd(disc_->kind)) {
    if (isCd(disc_->kind)) std::fill(&bytes[16], &bytes[24], 0xFF);
  } else {
    if (disc_->sessions.empty()) {
      std::copy(kLeadInMsf, kLeadInMsf + 3, &bytes[17]);
    } else {
      uint32_t leadOut = disc_->sessions.size() == 1 ? kCdFirstLeadOut : kCdLaterLeadOut;
      putMsf(&bytes[17], recordedEnd(*disc_) + leadOut + 150);
    }
    putMsf(&bytes[21], disc_->capacity);
  }
  return reply(command, bytes, getBe16(command.cdb + 7));
}

ScsiOutcome SimulatedWriter::readTrackInformation(const ScsiCommand& command) const {
  std::vector<TrackView> tracks;
  const auto& sessions = disc_->sessions;
  if (isOverwritable(disc_->kind)) {
    TrackView t{1, 0, disc_->capacity};
    t.writable = disc_->status == DiscStatus::Closed;
    t.next = recordedEnd(*disc_);
    t.free = disc_->capacity - t.next;
    t.blank = t.next == 0;
    t.recorded = !t.blank;
    t.lastRecorded = t.next ? t.next - 1 : 0;
    tracks.push_back(t);
  } else {
    for (size_t i = 0; i < sessions.size(); ++i) {
      TrackView t{uint32_t(i + 1), sessions[i].start, sessions[i].sectors};
      t.recorded = true;
      t.lastRecorded = sessions[i].end() - 1;
      tracks.push_back(t);
    }
  }
  const bool invisible = !isOverwritable(disc_->kind) && disc_->status != DiscStatus::Closed;
  if (invisible) {
    TrackView t;
    t.number = uint32_t(sessions.size() + 1);
    t.start = std::min(track_ ? track_->start : nextSessionStart(*disc_), disc_->capacity);
    t.next = track_ ? track_->next : t.start;
    t.size = disc_->capacity - t.start;
    t.free = disc_->capacity - t.next;
    t.writable = true;
    t.blank = t.next == t.start;
    t.recorded = !t.blank;
    t.lastRecorded = t.recorded ? t.next - 1 : 0;
    tracks.push_back(t);
  }
  const uint32_t value = getBe32(command.cdb + 2);
  const TrackView* found = nullptr;
  switch (command.cdb[1] & 0x03) {
    case 0:  // the track holding a logical block address
      for (const TrackView& t : tracks)
        if (value >= t.start && value < t.start + t.size) found = &t;
      break;
    case 1:  // by track number; 0 is the last track, FFh the invisible one
    case 2:  // by session number: its one track
      if (value == 0 && (command.cdb[1] & 0x03) == 1 && !tracks.empty())
        found = &tracks.back();
      else if (value == 0xFF && (command.cdb[1] & 0x03) == 1 && invisible)
        found = &tracks.back();
      else if (value >= 1 && value <= tracks.size())
        found = &tracks[value - 1];
      break;
    default:
      break;
  }
  if (!found) return checkCondition(sense::kInvalidFieldInCdb);
  const TrackView& t = *found;
  std::vector<uint8_t> bytes(48, 0);
  putBe16(&bytes[0], 46);
  bytes[2] = uint8_t(t.number);
  bytes[3] = uint8_t(t.number);  // one track per session
  bytes[5] = 0x04;               // data track, recorded uninterrupted
  bytes[6] = uint8_t((t.blank ? 0x40 : 0) | 0x01);
  bytes[7] = uint8_t((t.writable ? 0x01 : 0) | (t.recorded ? 0x02 : 0));
  putBe32(&bytes[8], t.start);
  putBe32(&bytes[12], t.writable ? t.next : 0);
  putBe32(&bytes[16], t.free);
  putBe32(&bytes[24], t.size);
  putBe32(&bytes[28], t.lastRecorded);
  bytes[32] = uint8_t(t.number >> 8);
  bytes[33] = uint8_t(t.number >> 8);
  return reply(command, bytes, getBe16(command.cdb + 7));
}

ScsiOutcome SimulatedWriter::readFormatCapacities(const ScsiCommand& command) const {
  std::vector<uint8_t> bytes(12, 0);
  putBe32(&bytes[4], disc_->capacity);
  const bool formatted = disc_->kind == DiscKind::CdRom ||
                         (isOverwritable(disc_->kind) && disc_->status == DiscStatus::Closed);
  bytes[8] = formatted ? 0x02 : 0x01;
  putBe24(&bytes[9], kSectorSize);
  if (isOverwritable(disc_->kind)) {
    uint8_t d[8] = {};
    putBe32(d, disc_->capacity);
    d[4] = 0x26 << 2;  // DVD+RW basic format
    bytes.insert(bytes.end(), d, d + 8);
  }
  bytes[3] = uint8_t(bytes.size() - 4);
  return reply(command, bytes, getBe16(command.cdb + 7));
}

}  // namespace platform::scsi
