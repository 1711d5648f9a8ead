// Starting a write on the main thread, handing the worker threads' calls
// to it, and joining the workers at every end.

#include "cdengine/CacheThread.h"
#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"
#include "cdengine/SessionStream.h"

namespace cdengine {

namespace {

constexpr uint32_t kPrimeCheckMs = 100;
constexpr uint32_t kFormatPollMs = 5000;
constexpr uint64_t kFormatLimitMs = 30ull * 60 * 1000;

// FORMAT UNIT lists for DVD-RW: a quick format first, the full one when
// the drive refuses it.
constexpr uint8_t kDvdRwQuickFormat[12] = {0x00, 0x02, 0x00,      0x08, 0x00, 0x00,
                                           0x00, 0x00, 0x15 << 2, 0x00, 0x00, 0x00};
constexpr uint8_t kDvdRwFullFormat[12] = {0x00, 0x02, 0x00, 0x08, 0xFF, 0xFF,
                                          0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};

}  // namespace

TCDBurner::~TCDBurner() {
  joinWorkers();
}

// Destruction: the writer stops at its next block as if aborted, every
// worker waiting for the main thread is released, and all are joined
// before the engine's members go.
void TCDBurner::joinWorkers() {
  shutdown_ = true;
  abort_ = true;
  mainThread_.shutdown();
  if (writer_.joinable()) writer_.join();
  if (eraser_.joinable()) eraser_.join();
  if (cache_) cache_->stop();
}

void TCDBurner::deliverDebug(const std::string& text, DebugType type) const {
  if (mainThread_.onMainThread()) {
    TSCSIDevice::deliverDebug(text, type);
    return;
  }
  mainThread_.post([this, text, type] { TSCSIDevice::deliverDebug(text, type); });
}

int TCDBurner::ProcessMainThreadCalls() {
  const int ran = mainThread_.runPending();
  joinEndedThreads();
  return ran;
}

// A worker whose last call has run only has to return: joining it is
// brief.
void TCDBurner::joinEndedThreads() {
  if (writerEnded_.exchange(false)) {
    if (writer_.joinable()) writer_.join();
    if (cache_) cache_->stop();
    writing_ = false;
  }
  if (eraserEnded_.exchange(false)) {
    if (eraser_.joinable()) eraser_.join();
  }
}

std::string TCDBurner::CurrentFile() const {
  // The writer sets the last session before its OnWriteDone, and writing_
  // drops only on the main thread after that.
  if (writing_ && cache_) return cache_->currentFile();
  return written_.files.empty() ? std::string() : written_.files.back().sourcePath;
}

void TCDBurner::formatDvdRw() {
  if (!mmc::formatUnit(kDvdRwQuickFormat).run(*this)) mmc::formatUnit(kDvdRwFullFormat).run(*this);
  const uint64_t until = clock().nowMs() + kFormatLimitMs;
  while (!mmc::readDiscInformation().run(*this) && LastAsc() == 0x04 && clock().nowMs() < until)
    clock().sleepMs(kFormatPollMs);
}

bool TCDBurner::StartWrite() {
  joinEndedThreads();
  if (writing_ || Erasing || writer_.joinable()) return false;
  abort_ = false;
  bytesWritten_ = 0;
  const int type = GetDiscType();
  const uint32_t unit = writeUnitBytes(type);
  if (type == disc::DvdRwRestricted || type == disc::DvdRwSequential) formatDvdRw();

  PrepareImage(false);
  BuildImageHeader();
  const uint32_t start = image_.layout().start;
  if (cache_) cache_->stop();
  cache_.reset();
  stream_ = image_.openSessionStream();
  cache_ = std::make_unique<TCacheThread>(*stream_, criticalSection(), clock(), CacheSize, unit);
  cache_->start();

  while (!cache_->primed()) clock().sleepMs(kPrimeCheckMs);
  const std::string error = cache_->error();
  if (!error.empty()) {
    cache_->stop();
    {
      std::lock_guard lock(criticalSection());
      written_ = {start, 0, stream_->delivered(), error};
    }
    if (OnWriteDone) OnWriteDone(error);
    return false;
  }

  writing_ = true;
  writerEnded_ = false;
  writer_ = std::thread([this, start] { runWriter(start); });
  return true;
}

}  // namespace cdengine
