// TEraseThread: BLANK and FORMAT UNIT return at once, so this thread
// watches the drive until it is ready again, counting the expected
// duration into a percentage, then checks that the disc came out blank,
// resets the drive and reports through the main thread.

#include <algorithm>
#include <cmath>
#include <vector>

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

namespace {

constexpr uint8_t kBecomingReady = 0x04;
constexpr uint8_t kVendorSense = 0xF0;
constexpr uint16_t kZeroWriteSectors = 32;
constexpr int kQuickZeroWrites = 65;
constexpr int kFullZeroWrites = 71000;
constexpr uint32_t kFlushMs = 30 * 60 * 1000;

// One pass of the erase thread's watch: elapsed units (about a second
// each) against the expected duration. Every poll ends at twice the
// expected time, or when the engine shuts down.
class EraseWatch {
 public:
  EraseWatch(platform::Clock& clock, std::atomic<int>& progress, const std::atomic<bool>& shutdown,
             uint32_t expectedSeconds)
      : clock_(clock), progress_(progress), shutdown_(shutdown), expected_(expectedSeconds) {}

  void pause(uint32_t seconds) {
    clock_.sleepMs(uint64_t{seconds} * 1000);
    elapsed_ += seconds;
    // 100 is only for a drive that has finished.
    const double percent = std::round(elapsed_ * 100.0 / expected_);
    progress_ = static_cast<int>(std::min(99.0, percent));
  }
  bool within() const { return !shutdown_ && elapsed_ <= expected_; }
  bool mayGoOn() const { return !shutdown_ && elapsed_ <= 2 * expected_; }

 private:
  platform::Clock& clock_;
  std::atomic<int>& progress_;
  const std::atomic<bool>& shutdown_;
  const uint32_t expected_;
  uint32_t elapsed_ = 0;
};

// Sense key 3 (medium error) or 4 (hardware error): the blank failed.
bool failureKey(uint8_t key) {
  return key == 0x03 || key == 0x04;
}

}  // namespace

bool TCDBurner::startEraseThread(uint32_t expectedSeconds) {
  eraseProgress_ = 0;
  eraserEnded_ = false;
  const int type = lastDiscType_;
  eraser_ = std::thread([this, type, expectedSeconds] { runEraser(type, expectedSeconds); });
  return true;
}

void TCDBurner::runEraser(int type, uint32_t expectedSeconds) {
  EraseWatch watch(clock(), eraseProgress_, shutdown_, expectedSeconds);
  bool failed = false;
  const auto busy = [&] {
    failed = failed || failureKey(LastSense()[2] & 0x0F);
    return LastAsc() == kBecomingReady;
  };
  const auto discReady = [&] { return mmc::readDiscInformation().run(*this); };

  if (type == disc::DvdRwRestricted || type == disc::DvdRwSequential) {
    for (int round = 0; round < 2; ++round) {
      while (!TestUnitReady(5000) && busy() && watch.within()) watch.pause(2);
      watch.pause(5);
    }
  } else if (type == disc::DvdPlusRw || type == disc::DvdRam) {
    if (type == disc::DvdPlusRw)
      while (!discReady() && busy() && watch.mayGoOn()) watch.pause(2);
    const bool quick = expectedSeconds < 1000;
    if (type == disc::DvdPlusRw || quick) {
      const int writes = type == disc::DvdRam || quick ? kQuickZeroWrites : kFullZeroWrites;
      std::vector<uint8_t> zeros(uint32_t{kZeroWriteSectors} * 2048);
      for (int i = 0; i < writes && !shutdown_; ++i)
        if (!WriteBlocks(static_cast<uint32_t>(i) * kZeroWriteSectors, kZeroWriteSectors,
                         zeros.data()))
          break;
      SyncCache(kFlushMs, false);
      if (type == disc::DvdPlusRw) CloseTrackSession(false, 3, 255);
    }
  } else if (slowReadyEverywhere() || quirks().slowReady) {
    while (!TestUnitReady(5000) && busy() && watch.mayGoOn()) watch.pause(2);
    discReady();
    watch.pause(5);
  }

  if (!TestUnitReady(5000) || !discReady()) {
    if (type != disc::DvdRam)
      while (!discReady() && busy() && watch.mayGoOn()) watch.pause(5);
    while (!TestUnitReady(5000) && busy() && watch.mayGoOn()) watch.pause(2);
    while (watch.within()) {
      auto sense = mmc::requestSense();
      sense.run(*this);
      const auto reply = sense.reply();
      failed = failed || failureKey(reply.at(2) & 0x0F);
      if (reply.at(0) != kVendorSense && reply.at(12) == 0) break;
      watch.pause(2);
    }
  }

  if (InterfaceName() == "SPTIASPI") {
    // The drive may have re-enumerated while it blanked.
    const std::string description = Description();
    InitInterface(true);
    SelectDevice(description);
  }
  // Rewritable CDs and sequential DVD-RW come out empty; formatted media
  // (DVD-RAM, DVD-RW restricted overwrite, DVD+RW) keep their status.
  if (type != disc::DvdRam && type != disc::DvdRwRestricted && type != disc::DvdPlusRw) {
    const auto info = readDisc();
    failed = failed || !info || info->status != DiscStatus::Empty;
  }
  eraseProgress_ = 100;
  ResetDrive();
  mainThread_.postAndWait([this, failed] {
    Erasing = false;
    if (OnEraseDone) OnEraseDone(failed);
    eraserEnded_ = true;
  });
  Erasing = false;
  eraserEnded_ = true;
}

}  // namespace cdengine
