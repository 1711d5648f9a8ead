#include "tests/platform_scsi/writer_fixture.h"

namespace scsi_test {

using platform::scsi::DataDirection;
using platform::scsi::ScsiCommand;

platform::scsi::SimulatedWriter& WriterTest::writer() {
  if (!writer_) {
    auto locate = [this]() -> std::optional<std::filesystem::path> {
      if (!inserted_) return std::nullopt;
      return discBase(*inserted_);
    };
    writer_ = std::make_unique<platform::scsi::SimulatedWriter>(config_, locate, clock_);
  }
  return *writer_;
}

Reply WriterTest::in(const Bytes& cdb, uint32_t length) {
  Bytes buffer(length, 0xEE);
  ScsiCommand command{cdb.data(), cdb.size(), DataDirection::In, buffer.data(), length, 10000};
  Reply reply;
  reply.outcome = writer().execute(command);
  buffer.resize(reply.outcome.transferred);
  reply.data = buffer;
  return reply;
}

Reply WriterTest::none(const Bytes& cdb) {
  ScsiCommand command{cdb.data(), cdb.size(), DataDirection::None, nullptr, 0, 10000};
  return Reply{writer().execute(command), {}};
}

Reply WriterTest::out(const Bytes& cdb, Bytes data) {
  ScsiCommand command{
      cdb.data(), cdb.size(), DataDirection::Out, data.data(), uint32_t(data.size()), 10000};
  return Reply{writer().execute(command), {}};
}

Reply WriterTest::readToc(uint8_t format, bool msf, uint8_t track) {
  return in({0x43, uint8_t(msf ? 2 : 0), format, 0, 0, 0, track, 0, 255, 0}, 255);
}

Reply WriterTest::trackInfo(uint32_t track) {
  return in({0x52, 1, uint8_t(track >> 24), uint8_t(track >> 16), uint8_t(track >> 8),
             uint8_t(track), 0, 0, 40, 0},
            40);
}

Reply WriterTest::discInfo() {
  return in({0x51, 0, 0, 0, 0, 0, 0, 0, 56, 0}, 56);
}

Reply WriterTest::write(uint32_t lba, uint16_t count, uint8_t fill) {
  Bytes cdb = {0x2A,         0, uint8_t(lba >> 24),  uint8_t(lba >> 16), uint8_t(lba >> 8),
               uint8_t(lba), 0, uint8_t(count >> 8), uint8_t(count),     0};
  return out(cdb, Bytes(size_t(count) * 2048, fill));
}

Reply WriterTest::read(uint32_t lba, uint16_t count) {
  Bytes cdb = {0x28,         0, uint8_t(lba >> 24),  uint8_t(lba >> 16), uint8_t(lba >> 8),
               uint8_t(lba), 0, uint8_t(count >> 8), uint8_t(count),     0};
  return in(cdb, uint32_t(count) * 2048);
}

Reply WriterTest::sync() {
  return none({0x35, 0, 0, 0, 0, 0, 0, 0, 0, 0});
}

Reply WriterTest::close(uint8_t function, uint8_t track) {
  return none({0x5B, 0, function, 0, 0, track, 0, 0, 0, 0});
}

Reply WriterTest::modeSense(uint8_t page, uint8_t control, uint16_t length) {
  return in(
      {0x5A, 0, uint8_t(control << 6 | page), 0, 0, 0, 0, uint8_t(length >> 8), uint8_t(length), 0},
      length);
}

Reply WriterTest::selectWriteParameters(uint8_t byte2, uint8_t byte3, uint8_t byte4) {
  Bytes list(60, 0);
  list[8] = 0x05;
  list[9] = 0x32;
  list[10] = byte2;
  list[11] = byte3;
  list[12] = byte4;
  list[22] = 0;
  list[23] = 150;
  return out({0x55, 0x10, 0, 0, 0, 0, 0, 0, 60, 0}, list);
}

}  // namespace scsi_test
