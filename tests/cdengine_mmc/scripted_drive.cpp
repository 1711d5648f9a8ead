#include "tests/cdengine_mmc/scripted_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/scsi/scsi_structures.h"

namespace cdengine_test {

using namespace platform::scsi;

namespace {

int selectorOf(const uint8_t* cdb) {
  switch (cdb[0]) {
    case 0x43:
      return cdb[2] & 0x0F;
    case 0x28:
    case 0x52:
      return static_cast<int>(uint32_t{cdb[2]} << 24 | uint32_t{cdb[3]} << 16 |
                              uint32_t{cdb[4]} << 8 | cdb[5]);
    case 0x5A:
      return cdb[2];
    case 0x46:
      return cdb[2] << 8 | cdb[3];
    default:
      return -1;
  }
}

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value >> 24);
  bytes[at + 1] = static_cast<uint8_t>(value >> 16);
  bytes[at + 2] = static_cast<uint8_t>(value >> 8);
  bytes[at + 3] = static_cast<uint8_t>(value);
}

class ScriptedHandle : public DeviceHandle {
 public:
  explicit ScriptedHandle(ScriptedDrive& drive) : drive_(drive) {}
  bool ioControl(uint32_t code, void* in, uint32_t, void* out, uint32_t, uint32_t& returned,
                 uint32_t& error) override {
    if (code == IOCTL_SCSI_GET_ADDRESS) {
      if (drive_.addressFails) {
        error = 1;  // ERROR_INVALID_FUNCTION
        return false;
      }
      auto* address = static_cast<SCSI_ADDRESS*>(out);
      address->PortNumber = drive_.port;
      address->TargetId = drive_.target;
      address->Lun = drive_.lun;
      returned = sizeof *address;
      return true;
    }
    if (code != IOCTL_SCSI_PASS_THROUGH_DIRECT) {
      error = 1;
      return false;
    }
    auto* record = static_cast<SCSI_PASS_THROUGH_DIRECT_WITH_SENSE*>(in);
    auto& sptd = record->Sptd;
    EXPECT_EQ(sptd.Length, 44);
    EXPECT_EQ(sptd.SenseInfoOffset, kSptdSenseOffset);
    error = drive_.answer(sptd.Cdb, sptd.DataIn, static_cast<uint8_t*>(sptd.DataBuffer),
                          sptd.DataTransferLength, sptd.ScsiStatus, record->Sense,
                          sptd.SenseInfoLength);
    returned = sizeof *record;
    return error == 0;
  }

 private:
  ScriptedDrive& drive_;
};

}  // namespace

ScriptedReply good(std::vector<uint8_t> data) {
  ScriptedReply reply;
  reply.data = std::move(data);
  return reply;
}

ScriptedReply failing(uint8_t key, uint8_t asc, uint8_t ascq) {
  ScriptedReply reply;
  reply.scsiStatus = 2;
  reply.sense.assign(18, 0);
  reply.sense[0] = 0x70;
  reply.sense[2] = key;
  reply.sense[7] = 10;
  reply.sense[12] = asc;
  reply.sense[13] = ascq;
  return reply;
}

ScriptedDrive::ScriptedDrive() {
  setInquiry("CORVASTA", "CD-RW TEST", "1.00");
}

void ScriptedDrive::setInquiry(const std::string& vendor, const std::string& product,
                               const std::string& revision, uint8_t peripheralType) {
  inquiry.assign(96, 0);
  inquiry[0] = peripheralType;
  const auto field = [&](size_t at, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) inquiry[at + i] = i < text.size() ? text[i] : ' ';
  };
  field(8, vendor, 8);
  field(16, product, 16);
  field(32, revision, 4);
}

ScriptedDrive& ScriptedDrive::on(uint8_t opcode, ScriptedReply reply) {
  return on(opcode, -1, std::move(reply));
}

ScriptedDrive& ScriptedDrive::on(uint8_t opcode, int selector, ScriptedReply reply) {
  std::lock_guard lock(mutex_);
  script_[{opcode, selector}].push_back(std::move(reply));
  return *this;
}

ScriptedDrive& ScriptedDrive::instead(uint8_t opcode, int selector, ScriptedReply reply) {
  {
    std::lock_guard lock(mutex_);
    script_.erase({opcode, selector});
  }
  return on(opcode, selector, std::move(reply));
}

int ScriptedDrive::count(uint8_t opcode) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(sent_.begin(), sent_.end(),
                                        [&](const SentCommand& c) { return c.cdb[0] == opcode; }));
}

std::vector<Written> ScriptedDrive::writes() const {
  std::lock_guard lock(mutex_);
  std::vector<Written> out;
  for (const auto& command : sent_) {
    if (command.cdb[0] != 0x2A) continue;
    const auto& cdb = command.cdb;
    out.push_back({uint32_t{cdb[2]} << 24 | uint32_t{cdb[3]} << 16 | uint32_t{cdb[4]} << 8 | cdb[5],
                   static_cast<uint16_t>(cdb[7] << 8 | cdb[8]), command.data});
  }
  return out;
}

const SentCommand& ScriptedDrive::last(uint8_t opcode) const {
  std::lock_guard lock(mutex_);
  for (auto it = sent_.rbegin(); it != sent_.rend(); ++it)
    if (it->cdb[0] == opcode) return *it;
  ADD_FAILURE() << "no command " << int{opcode} << " was sent";
  static const SentCommand none{std::vector<uint8_t>(16), {}};
  return none;
}

uint32_t ScriptedDrive::answer(const uint8_t* cdb, uint8_t direction, uint8_t* data,
                               uint32_t length, uint8_t& status, uint8_t* sense,
                               uint8_t senseLength) {
  if (onCommand) onCommand(cdb);
  std::lock_guard lock(mutex_);
  SentCommand command{std::vector<uint8_t>(cdb, cdb + 16), {}};
  if (direction == SCSI_IOCTL_DATA_OUT && data && (keepWriteData || cdb[0] != 0x2A))
    command.data.assign(data, data + length);
  sent_.push_back(std::move(command));

  ScriptedReply reply;
  if (cdb[0] == 0x12) {
    reply = good(inquiry);
  } else {
    auto it = script_.find({cdb[0], selectorOf(cdb)});
    if (it == script_.end()) it = script_.find({cdb[0], -1});
    if (it == script_.end()) {
      reply = failing(5, 0x20, 0x00);
    } else {
      reply = it->second.front();
      if (it->second.size() > 1) it->second.pop_front();
    }
  }
  status = reply.scsiStatus;
  if (direction == SCSI_IOCTL_DATA_IN && data)
    std::memcpy(data, reply.data.data(), std::min<size_t>(length, reply.data.size()));
  std::memcpy(sense, reply.sense.data(), std::min<size_t>(senseLength, reply.sense.size()));
  return reply.error;
}

DeviceAccess ScriptedDrive::access() {
  DeviceAccess access;
  access.driveType = [this](std::string_view root) -> unsigned {
    return !root.empty() && root[0] == letter ? 5 : 3;
  };
  access.openDevice = [this](std::string_view path, bool,
                             uint32_t& error) -> std::unique_ptr<DeviceHandle> {
    if (path.size() == 6 && path[4] == letter) return std::make_unique<ScriptedHandle>(*this);
    error = 2;  // ERROR_FILE_NOT_FOUND
    return nullptr;
  };
  access.loadAspiDriver = [](std::string_view) { return std::optional<AspiDriver>(); };
  return access;
}

std::vector<uint8_t> atipReply(uint8_t minutes, uint8_t seconds, uint8_t frames, bool rewritable) {
  std::vector<uint8_t> bytes(28, 0);
  bytes[1] = 26;
  bytes[6] = static_cast<uint8_t>(0x80 | (rewritable ? 0x40 : 0));
  bytes[8] = 97;  // lead-in start 97:26:66, as an 80-minute CD-R has it
  bytes[9] = 26;
  bytes[10] = 66;
  bytes[12] = minutes;
  bytes[13] = seconds;
  bytes[14] = frames;
  return bytes;
}

std::vector<uint8_t> trackReply(uint8_t session, uint32_t start, uint32_t nextWritable,
                                uint32_t freeBlocks, uint32_t trackSize) {
  std::vector<uint8_t> bytes(40, 0);
  bytes[1] = 34;
  bytes[3] = session;
  bytes[7] = 1;  // next writable address valid
  put32(bytes, 8, start);
  put32(bytes, 12, nextWritable);
  put32(bytes, 16, freeBlocks);
  put32(bytes, 24, trackSize);
  return bytes;
}

std::vector<uint8_t> discReply(uint8_t status, uint8_t lastSessionState, bool erasable,
                               uint16_t sessions) {
  std::vector<uint8_t> bytes(34, 0);
  bytes[1] = 32;
  bytes[2] = static_cast<uint8_t>((erasable ? 0x10 : 0) | lastSessionState << 2 | status);
  bytes[3] = 1;
  bytes[4] = static_cast<uint8_t>(sessions);
  bytes[9] = static_cast<uint8_t>(sessions >> 8);
  return bytes;
}

std::vector<uint8_t> configurationReply(uint16_t profile, uint16_t feature, bool current) {
  std::vector<uint8_t> bytes(16, 0);
  put32(bytes, 0, 12);
  bytes[6] = static_cast<uint8_t>(profile >> 8);
  bytes[7] = static_cast<uint8_t>(profile);
  bytes[8] = static_cast<uint8_t>(feature >> 8);
  bytes[9] = static_cast<uint8_t>(feature);
  bytes[10] = current ? 1 : 0;
  return bytes;
}

std::vector<uint8_t> modeReply(std::vector<uint8_t> page) {
  std::vector<uint8_t> bytes(8 + page.size(), 0);
  const size_t length = page.size() + 6;
  bytes[0] = static_cast<uint8_t>(length >> 8);
  bytes[1] = static_cast<uint8_t>(length);
  std::copy(page.begin(), page.end(), bytes.begin() + 8);
  return bytes;
}

}  // namespace cdengine_test
