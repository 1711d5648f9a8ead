#pragma once
// A simulated writer over a disc in a temporary drive folder, on a manual
// clock, and the command blocks the tests send it.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/cdrom_config.h"
#include "platform/core/clock.h"
#include "platform/scsi/disc_files.h"
#include "platform/scsi/sense.h"
#include "platform/scsi/simulated_writer.h"
#include "tests/support/temp_dir.h"

namespace scsi_test {

using Bytes = std::vector<uint8_t>;

struct Reply {
  platform::scsi::ScsiOutcome outcome;
  Bytes data;  // the bytes transferred
  platform::scsi::Sense sense() const {
    return platform::scsi::readFixedSense(outcome.sense.data(), outcome.senseLength);
  }
  bool good() const { return outcome.good(); }
};

class WriterTest : public ::testing::Test {
 protected:
  WriterTest() { config_.device = "simulated"; }

  std::filesystem::path discBase(const std::string& name = "disc") const { return temp_ / name; }
  platform::scsi::DiscFiles files(const std::string& name = "disc") const {
    return platform::scsi::DiscFiles(discBase(name));
  }
  void makeDisc(platform::scsi::DiscKind kind, std::optional<uint32_t> sectors = {},
                const std::string& name = "disc") {
    platform::scsi::createDisc(files(name), kind, sectors, std::nullopt);
  }
  platform::scsi::Disc savedDisc(const std::string& name = "disc") const {
    return files(name).load();
  }

  platform::scsi::SimulatedWriter& writer();

  Reply in(const Bytes& cdb, uint32_t length);
  Reply none(const Bytes& cdb);
  Reply out(const Bytes& cdb, Bytes data);

  // Commands.
  Reply readToc(uint8_t format, bool msf, uint8_t track = 0);
  Reply trackInfo(uint32_t track);
  Reply discInfo();
  Reply write(uint32_t lba, uint16_t count, uint8_t fill = 0xA5);
  Reply read(uint32_t lba, uint16_t count);
  Reply sync();
  Reply close(uint8_t function, uint8_t track = 0);
  Reply modeSense(uint8_t page, uint8_t control = 0, uint16_t length = 255);
  Reply selectWriteParameters(uint8_t byte2, uint8_t byte3, uint8_t byte4 = 0x08);
  Reply testUnitReady() { return none({0x00, 0, 0, 0, 0, 0}); }
  Reply requestSense() { return in({0x03, 0, 0, 0, 18, 0}, 18); }
  // Page 05h for multisession (11b) track-at-once writing, test write as asked.
  Reply allowNextSession(bool test = false) {
    return selectWriteParameters(test ? 0x11 : 0x01, 0xC4);
  }

  testing_support::TempDir temp_;
  platform::ManualClock clock_;
  platform::CdromConfig config_;
  std::optional<std::string> inserted_ = "disc";
  std::unique_ptr<platform::scsi::SimulatedWriter> writer_;
};

inline platform::scsi::Sense senseOf(uint8_t key, uint8_t asc, uint8_t ascq) {
  return platform::scsi::Sense{key, asc, ascq};
}

}  // namespace scsi_test
