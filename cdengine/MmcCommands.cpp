#include "cdengine/MmcCommands.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "cdengine/ScsiDevice.h"

namespace cdengine {

using namespace platform::scsi;

namespace {

constexpr uint32_t kSecond = 1000;
using D = DataDirection;

constexpr CommandSpec kCommands[] = {
    {0x00, 6, D::None, 0},
    {0x01, 6, D::None, 10 * kSecond},
    {0x03, 6, D::In, 10 * kSecond},
    {0x04, 6, D::Out, 10 * kSecond},
    {0x12, 6, D::In, 10 * kSecond},
    {0x1B, 6, D::None, 20 * kSecond},
    {0x1E, 6, D::None, 10 * kSecond},
    {0x23, 10, D::In, 10 * kSecond},
    {0x25, 10, D::In, 10 * kSecond},
    {0x28, 10, D::In, 10 * kSecond},
    {0x2A, 10, D::Out, 120 * kSecond},
    {0x35, 10, D::None, 0},
    {0x43, 10, D::In, 10 * kSecond},
    {0x46, 10, D::In, 30 * kSecond},
    {0x51, 10, D::In, 10 * kSecond},
    {0x52, 10, D::In, 60 * kSecond},
    {0x53, 10, D::None, 10 * kSecond},
    {0x54, 10, D::None, 150 * kSecond},
    {0x55, 10, D::Out, 10 * kSecond},
    {0x5A, 10, D::In, 20 * kSecond},
    {0x5B, 10, D::None, 180 * kSecond},
    {0x5C, 10, D::In, 10 * kSecond},
    {0xA1, 12, D::None, 80 * 60 * kSecond},
    {0xB6, 12, D::Out, 10 * kSecond},
    {0xBB, 12, D::None, 10 * kSecond},
    {0xBF, 12, D::Out, 10 * kSecond},
};

uint8_t flagsOf(DataDirection direction) {
  uint8_t flags = SRB_EVENT_NOTIFY;
  if (direction == D::In) flags |= SRB_DIR_IN;
  if (direction == D::Out) flags |= SRB_DIR_OUT;
  return flags;
}

}  // namespace

const CommandSpec& commandSpec(uint8_t opcode) {
  for (const auto& spec : kCommands)
    if (spec.opcode == opcode) return spec;
  throw std::logic_error("no MMC command table row for this operation code");
}

MmcRequest::MmcRequest(uint8_t opcode, uint32_t dataLength) : spec_(commandSpec(opcode)) {
  srb_.h.SRB_Flags = flagsOf(spec_.direction);
  srb_.SRB_CDBLen = spec_.cdbLength;
  srb_.CDBByte[0] = opcode;
  if (dataLength) {
    own_ = std::make_unique<uint32_t[]>((dataLength + 3) / 4);
    srb_.SRB_BufPointer = reinterpret_cast<uint8_t*>(own_.get());
    srb_.SRB_BufLen = dataLength;
  }
}

MmcRequest::MmcRequest(uint8_t opcode, uint8_t* data, uint32_t dataLength)
    : spec_(commandSpec(opcode)) {
  srb_.h.SRB_Flags = flagsOf(spec_.direction);
  srb_.SRB_CDBLen = spec_.cdbLength;
  srb_.CDBByte[0] = opcode;
  srb_.SRB_BufPointer = data;
  srb_.SRB_BufLen = dataLength;
}

MmcRequest& MmcRequest::byte(int index, uint8_t value) {
  srb_.CDBByte[index] = value;
  return *this;
}

MmcRequest& MmcRequest::be16(int index, uint16_t value) {
  srb_.CDBByte[index] = static_cast<uint8_t>(value >> 8);
  srb_.CDBByte[index + 1] = static_cast<uint8_t>(value);
  return *this;
}

MmcRequest& MmcRequest::be32(int index, uint32_t value) {
  be16(index, static_cast<uint16_t>(value >> 16));
  return be16(index + 2, static_cast<uint16_t>(value));
}

MmcRequest& MmcRequest::outData(const uint8_t* bytes, size_t length) {
  if (own_) std::memcpy(srb_.SRB_BufPointer, bytes, std::min<size_t>(length, srb_.SRB_BufLen));
  return *this;
}

bool MmcRequest::run(TSCSIDevice& device, uint32_t timeoutMs) {
  device.ExecCommand(srb_, spec_.timeoutMs ? spec_.timeoutMs : timeoutMs);
  return status() == SS_COMP;
}

namespace mmc {

MmcRequest testUnitReady() {
  return MmcRequest(0x00);
}
MmcRequest rezeroUnit() {
  return MmcRequest(0x01);
}
MmcRequest requestSense() {
  return std::move(MmcRequest(0x03, 40).byte(4, 40));
}

MmcRequest formatUnit(const uint8_t (&formatList)[12]) {
  MmcRequest request(0x04, 12);
  request.byte(1, 0x11).outData(formatList, 12);
  return request;
}

MmcRequest startStopUnit(bool load) {
  return std::move(MmcRequest(0x1B).byte(4, load ? 3 : 2));
}
MmcRequest preventAllowRemoval(bool lock) {
  return std::move(MmcRequest(0x1E).byte(4, lock ? 1 : 0));
}
MmcRequest readFormatCapacities() {
  return std::move(MmcRequest(0x23, 248).be16(7, 248));
}
MmcRequest readCapacity() {
  return MmcRequest(0x25, 8);
}

MmcRequest read10(uint32_t lba, uint16_t count, uint8_t* buffer) {
  MmcRequest request(0x28, buffer, uint32_t{count} * 2048);
  request.be32(2, lba).be16(7, count);
  return request;
}

MmcRequest write10(uint32_t lba, uint16_t count, uint8_t* buffer) {
  MmcRequest request(0x2A, buffer, uint32_t{count} * 2048);
  request.be32(2, lba).be16(7, count);
  return request;
}

MmcRequest synchronizeCache(bool immediate) {
  return std::move(MmcRequest(0x35).byte(1, immediate ? 2 : 0));
}

MmcRequest readToc(uint8_t format, bool msf, uint8_t trackOrSession, uint8_t allocation) {
  MmcRequest request(0x43, allocation);
  request.byte(1, msf ? 2 : 0).byte(2, format).byte(6, trackOrSession).be16(7, allocation);
  return request;
}

MmcRequest getConfiguration(uint16_t startingFeature) {
  MmcRequest request(0x46, 114);
  request.byte(1, 2).be16(2, startingFeature).be16(7, 114);
  return request;
}

MmcRequest readDiscInformation() {
  return std::move(MmcRequest(0x51, 56).be16(7, 56));
}

MmcRequest readTrackInformation(uint32_t track) {
  MmcRequest request(0x52, 40);
  request.byte(1, 1).be32(2, track).be16(7, 40);
  return request;
}

MmcRequest reserveTrack(uint32_t blocks) {
  return std::move(MmcRequest(0x53).be32(5, blocks));
}
MmcRequest sendOpcInformation() {
  return std::move(MmcRequest(0x54).byte(1, 1));
}

MmcRequest modeSelect(const uint8_t* parameters, uint16_t length) {
  MmcRequest request(0x55, length);
  request.byte(1, 0x10).be16(7, length).outData(parameters, length);
  return request;
}

MmcRequest modeSense(uint8_t page, bool defaults, uint16_t allocation) {
  MmcRequest request(0x5A, allocation);
  request.byte(2, static_cast<uint8_t>((page & 0x3F) | (defaults ? 0x80 : 0))).be16(7, allocation);
  return request;
}

MmcRequest closeTrackSession(bool immediate, uint8_t function, uint8_t track) {
  MmcRequest request(0x5B);
  request.byte(1, immediate ? 1 : 0).byte(2, function).byte(5, track);
  return request;
}

MmcRequest readBufferCapacity() {
  return std::move(MmcRequest(0x5C, 32).be16(7, 32));
}
MmcRequest blank(uint8_t type) {
  return std::move(MmcRequest(0xA1).byte(1, static_cast<uint8_t>(type | 0x10)));
}

MmcRequest setStreaming(const uint8_t (&descriptor)[28]) {
  MmcRequest request(0xB6, 28);
  request.be16(9, 28).outData(descriptor, 28);
  return request;
}

MmcRequest setCdSpeed(uint32_t readKbps, uint32_t writeKbps) {
  const auto field = [](uint32_t kbps) {
    return kbps == 0 ? uint16_t{0xFFFF} : static_cast<uint16_t>(std::min<uint32_t>(kbps, 0xFFFE));
  };
  return std::move(MmcRequest(0xBB).be16(2, field(readKbps)).be16(4, field(writeKbps)));
}

MmcRequest sendDvdStructure(uint8_t format, const uint8_t* data, uint16_t length) {
  MmcRequest request(0xBF, length);
  request.byte(7, format).be16(8, length).outData(data, length);
  return request;
}

}  // namespace mmc

}  // namespace cdengine
