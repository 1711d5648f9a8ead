// The simulated writer driven by fuzzed command blocks and buffers: whatever
// the bytes, it answers without crashing, never moves more bytes than the
// buffer holds, and its sense data stays fixed-format. The first byte picks
// the disc; then each command is a length byte, the command block, a
// direction byte, two bytes of buffer length, and for data out the buffer's
// first bytes (the rest a pattern).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "platform/core/cdrom_config.h"
#include "platform/core/clock.h"
#include "platform/scsi/disc_files.h"
#include "platform/scsi/simulated_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::scsi;

void require(bool condition) {
  if (!condition) std::abort();
}

const fs::path& folder() {
  static const fs::path path = [] {
    std::random_device random;
    fs::path p = fs::temp_directory_path() / ("corvasta-fuzz-writer-" + std::to_string(random()));
    fs::create_directories(p);
    return p;
  }();
  return path;
}

struct Input {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool empty() const { return at >= size; }
  uint8_t byte() { return at < size ? data[at++] : 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input{data, size};
  const fs::path base = folder() / "disc";
  std::error_code ignored;
  fs::remove(base.string() + ".toc", ignored);
  fs::remove(base.string() + ".img", ignored);
  const uint8_t choice = input.byte();
  const DiscKind kinds[] = {DiscKind::CdR,      DiscKind::CdRw,      DiscKind::DvdR,
                            DiscKind::DvdPlusR, DiscKind::DvdPlusRw, DiscKind::CdR};
  // Small capacities keep the image small whatever the fuzzer writes.
  createDisc(DiscFiles(base), kinds[choice % 6], 30000, std::nullopt);

  platform::CdromConfig config;
  config.device = "simulated";
  config.quickBlankSeconds = 3;
  config.fullBlankSeconds = 5;
  config.burnFree = choice & 0x10;
  if (choice & 0x20) config.faults.push_back({platform::CdromFault::Kind::Underrun, 100});
  if (choice & 0x40) config.faults.push_back({platform::CdromFault::Kind::Busy, 2});
  platform::ManualClock clock;
  bool inserted = true;
  SimulatedWriter writer(
      config,
      [&]() -> std::optional<fs::path> {
        if (!inserted) return std::nullopt;
        return base;
      },
      clock);

  std::vector<uint8_t> buffer;
  for (int commands = 0; !input.empty() && commands < 64; ++commands) {
    uint8_t cdb[16] = {};
    size_t cdbLength = input.byte() % 17;
    for (size_t i = 0; i < cdbLength; ++i) cdb[i] = input.byte();
    uint8_t flags = input.byte();
    uint32_t length = (uint32_t(input.byte()) << 8 | input.byte()) * 2;  // up to 128 KiB
    buffer.assign(length, 0x5A);
    DataDirection direction = DataDirection(flags % 3);
    if (direction == DataDirection::Out)
      for (uint32_t i = 0; i < length && !input.empty() && i < 64; ++i) buffer[i] = input.byte();
    if (flags & 0x80) inserted = !inserted;
    clock.advance((flags >> 3 & 7) * 500);
    ScsiCommand command{cdb, cdbLength, direction, length ? buffer.data() : nullptr, length, 1000};
    ScsiOutcome outcome = writer.execute(command);
    require(outcome.transferred <= length);
    require(outcome.senseLength <= outcome.sense.size());
    if (outcome.status != kStatusGood) require(outcome.senseLength == kFixedSenseLength);
    if (outcome.senseLength) require(outcome.sense[0] == 0x70);
  }
  return 0;
}
