// The simulated writer's features and mode pages: GET CONFIGURATION, MODE
// SENSE (10) and MODE SELECT (10) of the write parameters page (05h) and the
// capabilities page (2Ah).
#include <algorithm>

#include "platform/scsi/mmc_bytes.h"
#include "platform/scsi/simulated_writer.h"

namespace platform::scsi {
namespace {

constexpr uint16_t kProfiles[] = {0x001B, 0x001A, 0x0011, 0x0010, 0x000A, 0x0009, 0x0008};

// CD speeds 48x, 32x, 24x, 16x and DVD speeds 8x, 6x, 4x, 2.4x, in kB/s.
constexpr uint16_t kCdWriteSpeeds[] = {8467, 5645, 4234, 2822};
constexpr uint16_t kDvdWriteSpeeds[] = {11080, 8310, 5540, 3324};
constexpr uint16_t kCdReadSpeed = 8467;
constexpr uint16_t kDvdReadSpeed = 22160;

struct Feature {
  uint16_t code;
  bool current;
  std::vector<uint8_t> data;
};

void appendFeature(std::vector<uint8_t>& out, const Feature& f) {
  out.push_back(uint8_t(f.code >> 8));
  out.push_back(uint8_t(f.code));
  out.push_back(uint8_t(0x02 | (f.current ? 0x01 : 0)));  // persistent where listed at all
  out.push_back(uint8_t(f.data.size()));
  out.insert(out.end(), f.data.begin(), f.data.end());
}

// Page 05h bytes a MODE SELECT may change.
std::array<uint8_t, 52> writeParametersChangeable() {
  std::array<uint8_t, 52> mask{};
  mask.fill(0xFF);
  mask[0] = 0x05;
  mask[1] = 0x32;
  mask[2] = 0x7F;
  mask[4] = 0x0F;
  mask[6] = 0;
  mask[7] = 0x3F;
  mask[9] = 0;
  return mask;
}

}  // namespace

ScsiOutcome SimulatedWriter::getConfiguration(const ScsiCommand& command) const {
  const uint8_t requestType = command.cdb[1] & 0x03;
  const uint16_t start = getBe16(command.cdb + 2);
  if (requestType == 3) return checkCondition(sense::kInvalidFieldInCdb);
  const bool present = discPresent();
  const DiscKind kind = present ? disc_->kind : DiscKind::CdRom;
  const uint16_t profile = present ? profileOf(kind) : 0;
  const bool cd = present && isCd(kind);
  const bool dvd = present && !isCd(kind);

  std::vector<uint8_t> profiles;
  for (uint16_t p : kProfiles) {
    profiles.push_back(uint8_t(p >> 8));
    profiles.push_back(uint8_t(p));
    profiles.push_back(p == profile ? 0x01 : 0x00);
    profiles.push_back(0);
  }
  const uint8_t buf = config_.burnFree ? 0x40 : 0;
  const uint8_t test = config_.testWrite ? 0x04 : 0;
  const std::vector<Feature> features = {
      {0x0000, true, profiles},
      {0x0001, true, {0, 0, 0, 2, 0, 0, 0, 0}},                           // core: ATAPI
      {0x0003, true, {uint8_t(0x29 | (locked_ ? 0x04 : 0)), 0, 0, 0}},    // tray, eject, lock
      {0x001E, cd, {0, 0, 0, 0}},                                         // CD read
      {0x001F, dvd, {0, 0, 0, 0}},                                        // DVD read
      {0x002A, present && kind == DiscKind::DvdPlusRw, {0x01, 0, 0, 0}},  // DVD+RW write
      {0x002B, present && kind == DiscKind::DvdPlusR, {0x01, 0, 0, 0}},   // DVD+R write
      {0x002D,
       present && (kind == DiscKind::CdR || kind == DiscKind::CdRw),
       {uint8_t(buf | test | 0x02), 0, 0, 0x01}},  // track at once
      {0x002F, present && kind == DiscKind::DvdR, {uint8_t(buf | test), 0, 0, 0}},
  };
  std::vector<uint8_t> bytes(8, 0);
  putBe16(&bytes[6], profile);
  for (const Feature& f : features) {
    if (requestType == 2 ? f.code != start : f.code < start) continue;
    if (requestType == 1 && !f.current) continue;
    appendFeature(bytes, f);
  }
  putBe32(&bytes[0], uint32_t(bytes.size() - 4));
  return reply(command, bytes, getBe16(command.cdb + 7));
}

std::vector<uint16_t> SimulatedWriter::writeSpeeds() const {
  const bool dvd = discPresent() && !isCd(disc_->kind);
  return dvd ? std::vector<uint16_t>(std::begin(kDvdWriteSpeeds), std::end(kDvdWriteSpeeds))
             : std::vector<uint16_t>(std::begin(kCdWriteSpeeds), std::end(kCdWriteSpeeds));
}

std::vector<uint8_t> SimulatedWriter::capabilitiesPage(bool defaults) const {
  const std::vector<uint16_t> speeds = writeSpeeds();
  const bool dvd = discPresent() && !isCd(disc_->kind);
  const uint16_t maxRead = dvd ? kDvdReadSpeed : kCdReadSpeed;
  uint16_t read = maxRead, write = speeds.front();
  if (!defaults) {
    if (readSpeed_) read = std::min(readSpeed_, maxRead);
    if (writeSpeed_) {
      // The fastest speed the drive has at or below the one asked for.
      write = speeds.back();
      for (uint16_t s : speeds)
        if (s <= writeSpeed_) write = std::max(write, s);
    }
  }
  std::vector<uint8_t> page(32 + 4 * speeds.size(), 0);
  page[0] = 0x2A;
  page[1] = uint8_t(page.size() - 2);
  page[2] = 0x1F;  // reads CD-R, CD-RW, method 2, DVD-ROM, DVD-R
  page[3] = uint8_t(0x13 | (config_.testWrite ? 0x04 : 0));  // writes CD-R, CD-RW, DVD-R
  page[4] = uint8_t(0x70 | (config_.burnFree ? 0x80 : 0));   // multisession, mode 2
  page[6] = uint8_t(0x29 | (locked_ ? 0x02 : 0));            // tray, eject, lock
  putBe16(&page[8], maxRead);
  putBe16(&page[10], 256);
  putBe16(&page[12], std::min<uint32_t>(config_.bufferSize / 1024, 0xFFFF));
  putBe16(&page[14], read);
  putBe16(&page[18], speeds.front());
  putBe16(&page[20], write);
  putBe16(&page[28], write);
  putBe16(&page[30], uint32_t(speeds.size()));
  for (size_t i = 0; i < speeds.size(); ++i) putBe16(&page[32 + 4 * i + 2], speeds[i]);
  return page;
}

ScsiOutcome SimulatedWriter::modeSense(const ScsiCommand& command) const {
  const uint8_t control = command.cdb[2] >> 6;
  const uint8_t code = command.cdb[2] & 0x3F;
  if (control == 3) return checkCondition(sense::kSavingNotSupported);
  if (code != 0x05 && code != 0x2A && code != 0x3F)
    return checkCondition(sense::kInvalidFieldInCdb);
  std::vector<uint8_t> bytes(8, 0);
  if (code == 0x05 || code == 0x3F) {
    std::array<uint8_t, 52> page = control == 0   ? writeParams_
                                   : control == 1 ? writeParametersChangeable()
                                                  : defaultWriteParameters();
    bytes.insert(bytes.end(), page.begin(), page.end());
  }
  if (code == 0x2A || code == 0x3F) {
    std::vector<uint8_t> page = capabilitiesPage(control == 2);
    if (control == 1) std::fill(page.begin() + 2, page.end(), 0);
    bytes.insert(bytes.end(), page.begin(), page.end());
  }
  putBe16(&bytes[0], uint32_t(bytes.size() - 2));
  return reply(command, bytes, getBe16(command.cdb + 7));
}

ScsiOutcome SimulatedWriter::modeSelect(const ScsiCommand& command) {
  if (!(command.cdb[1] & 0x10)) return checkCondition(sense::kInvalidFieldInCdb);
  if (command.cdb[1] & 0x01) return checkCondition(sense::kSavingNotSupported);
  const uint32_t length = getBe16(command.cdb + 7);
  if (length == 0) return {};
  if (command.direction != DataDirection::Out || !command.data || command.length < length ||
      length < 8)
    return checkCondition(sense::kParameterListLength);
  const uint8_t* data = command.data;
  uint32_t at = 8 + getBe16(data + 6);  // past the header and any block descriptor
  std::array<uint8_t, 52> params = writeParams_;
  while (at < length) {
    if (at + 2 > length || at + 2 + data[at + 1] > length)
      return checkCondition(sense::kParameterListLength);
    const uint8_t* page = data + at;
    if ((page[0] & 0x3F) != 0x05 || page[1] != 0x32)
      return checkCondition(sense::kInvalidFieldInParameters);
    const uint8_t writeType = page[2] & 0x0F;
    const uint8_t multisession = page[3] >> 6;
    const bool test = page[2] & 0x10;
    const bool bufe = page[2] & 0x40;
    if (writeType > 2 || multisession == 2 || (page[4] & 0x0F) != 0x08 ||
        (test && !config_.testWrite) || (bufe && !config_.burnFree))
      return checkCondition(sense::kInvalidFieldInParameters);
    std::copy(page + 2, page + 52, params.begin() + 2);
    at += 52;
  }
  writeParams_ = params;
  return {};
}

}  // namespace platform::scsi
