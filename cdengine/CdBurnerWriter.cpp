// TThWrite, the writer thread: prepares the drive, sends the blocks the
// cache thread queued with WRITE (10), flushes, closes the session unless
// something went wrong, resets the drive and reports through the main
// thread.

#include <algorithm>
#include <cstdio>

#include "cdengine/CacheThread.h"
#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"
#include "cdengine/SessionStream.h"
#include "platform/host/host_thread_priority.h"

namespace cdengine {

using platform::host::setCurrentThreadPriority;
using platform::host::ThreadPriority;

namespace {

constexpr int kBusyTries = 10000;
constexpr uint32_t kBusyRetryMs = 600;
constexpr int kBufferReadingEvery = 5;
constexpr uint32_t kLongFlushMs = 30 * 60 * 1000;
constexpr uint32_t kSyncMs = 120000;
constexpr uint32_t kHeaderCopyBytes = 65536;

const char kAborted[] = "OPERATION ABORTED BY USER";
const char kBusy[] = "WRITER BUSY/BUFFER FULL";

std::string writerError(const std::string& text) {
  return "WRITER ERROR [" + text + "]";
}

bool cdMedia(int type) {
  return type == disc::CdR || type == disc::CdRw;
}

bool sequentialDvd(int type) {
  return type == disc::DvdR || type == disc::DvdRwRestricted || type == disc::DvdRwSequential;
}

// Media written in place, whose descriptors at sector 0 must describe the
// newest tree.
bool overwritable(int type) {
  return type == disc::DvdPlusRw || type == disc::DvdRwRestricted ||
         type == disc::DvdRwSequential || type == disc::DvdRam;
}

// SET STREAMING's performance descriptor for a DVD-R: the whole disc at the
// drive's own speed (read and write size in kB per 1000 ms).
void fillPerformance(uint8_t (&descriptor)[28], uint32_t kbps) {
  const auto put32 = [&](int at, uint32_t value) {
    for (int i = 0; i < 4; ++i) descriptor[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
  };
  put32(8, 0xFFFFFFFF);
  put32(12, kbps);
  put32(16, 1000);
  put32(20, kbps);
  put32(24, 1000);
}

// SEND DVD STRUCTURE format 0Fh: the time stamp "yyyymmddhhnnss".
std::vector<uint8_t> timeStamp(const platform::SystemTime& now) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", now.year % 10000, now.month % 100,
                now.day % 100, now.hour % 100, now.minute % 100, now.second % 100);
  std::vector<uint8_t> data(4 + 4 + 14, 0);
  data[1] = static_cast<uint8_t>(data.size() - 2);
  std::copy(text, text + 14, data.begin() + 8);
  return data;
}

}  // namespace

// Step 1 to 4: the drive made ready for the session. Returns the disc type.
int TCDBurner::prepareWriter(bool& bufferAnswers) {
  bufferAnswers = ReadBufferCapacity();
  const int type = GetDiscType();
  Load();
  if (type != disc::DvdPlusRw) mmc::rezeroUnit().run(*this);
  SetSpeed(ReadSpeed, WriteSpeed);
  WaitReady(10000, 1000);
  GetCapabilities();
  prepareAddressQuery(type, TestWrite);
  if (type == disc::DvdR) {
    uint8_t performance[28] = {};
    fillPerformance(performance, DeviceCurrentWriteSpeed);
    mmc::setStreaming(performance).run(*this);
    const std::vector<uint8_t> stamp = timeStamp(image_.now());
    mmc::sendDvdStructure(0x0F, stamp.data(), static_cast<uint16_t>(stamp.size())).run(*this);
    mmc::reserveTrack((TrackSize() + 31) / 32 * 32).run(*this);
    WaitReady(10000, 1000);
  }
  if (type != disc::DvdRam && !TestWrite && PerformOPC) mmc::sendOpcInformation().run(*this);
  const uint32_t speed = WriteSpeed ? WriteSpeed : DeviceCurrentWriteSpeed;
  debug(std::string(">>> STARTING WRITE PROCESS ON ") + discTypeName(type) + " AT " +
            writeSpeedText(speed, type),
        DebugType::Info);
  if (TestWrite) debug(">>> TEST/DUMMY WRITE", DebugType::Info);
  return type;
}

// One block at `lba`: retried every 600 ms while the drive is busy, up to
// 10 000 tries, and given up at once when the drive has gone or the user
// cancelled. Empty on success, else the write's end text.
std::string TCDBurner::writeBlock(uint32_t lba, uint16_t count, uint8_t* data) {
  for (int tries = 1;; ++tries) {
    switch (writeUnit(lba, count, data)) {
      case WriteResult::Written:
        return {};
      case WriteResult::Vanished:
        return writerError("NO DEVICE");
      case WriteResult::Failed:
        return writerError(LastError());
      case WriteResult::Busy:
        break;
    }
    if (tries >= kBusyTries) return kBusy;
    if (abort_) return kAborted;
    clock().sleepMs(kBusyRetryMs);
  }
}

// Step 5 and 6: the blocks of the queue at S + offset. Empty when all were
// written (or the producer stopped with its own error).
std::string TCDBurner::writeBlocks(int type, uint32_t start, bool bufferAnswers) {
  const uint64_t trackBytes = uint64_t{TrackSize()} * 2048;
  int countdown = kBufferReadingEvery;
  uint32_t offset = 0;
  bool first = true;
  WriteBlock block;
  for (;;) {
    if (abort_) return kAborted;
    const long length = cache_->take(block);
    if (length == 0) return {};
    if (length < 0) {
      clock().sleepMs(1);
      continue;
    }
    // Sectors of this block: CD writes what it holds, other media always
    // a whole unit (the block is zero past its data).
    const uint32_t bytes =
        cdMedia(type) ? static_cast<uint32_t>(length) : static_cast<uint32_t>(block.bytes.size());
    const auto sectors = static_cast<uint16_t>((bytes + 2047) / 2048);
    if (first && overwritable(type)) {
      const auto headSectors =
          static_cast<uint16_t>(std::min<size_t>(kHeaderCopyBytes, block.bytes.size()) / 2048);
      // An unformatted DVD+RW refuses with 30h: format it and try again.
      if (!WriteBlocks(0, headSectors, block.bytes.data()) && type == disc::DvdPlusRw &&
          LastAsc() == 0x30 && issueBlank(true, type))
        WriteBlocks(0, headSectors, block.bytes.data());
      markFailureReported();
      SyncCache(kLongFlushMs, false);
    }
    first = false;
    bytesWritten_ = std::min(trackBytes, bytesWritten_ + static_cast<uint64_t>(length));
    if (bufferAnswers && --countdown == 0) {
      countdown = kBufferReadingEvery;
      ReadBufferCapacity();
    }
    const std::string failure = writeBlock(start + offset, sectors, block.bytes.data());
    if (!failure.empty()) return failure;
    offset += sectors;
  }
}

// Step 7: everything sent; the drive writes out its buffer. Empty when the
// flush succeeded.
std::string TCDBurner::flushTrack(int type) {
  if (type != disc::DvdRam) ReadBufferCapacity();
  if (OnFinalizingTrack) OnFinalizingTrack();
  std::string error;
  if (sequentialDvd(type)) {
    if (!SyncCache(kLongFlushMs, true)) error = writerError(LastError());
    const uint32_t step = DeviceBufferSize / 960;
    const uint64_t until = clock().nowMs() + kLongFlushMs;
    while (error.empty()) {
      auto request = mmc::readDiscInformation();
      if (request.run(*this)) break;
      if (request.status() == platform::scsi::SS_NO_DEVICE || clock().nowMs() >= until) {
        error = writerError(LastError());
        break;
      }
      clock().sleepMs(1000);
      DeviceFreeBufferSize = DeviceFreeBufferSize > step ? DeviceFreeBufferSize - step : 0;
    }
  } else if (!SyncCache(kSyncMs, false) && !SyncCache(kSyncMs, true)) {
    error = writerError(LastError());
  }
  DeviceBufferSize = DeviceFreeBufferSize = 0;
  return error;
}

void TCDBurner::runWriter(uint32_t start) {
  setCurrentThreadPriority(ThreadPriority::TimeCritical);
  bool bufferAnswers = false;
  const int type = prepareWriter(bufferAnswers);
  const auto track = static_cast<uint8_t>(SessionCount() + 1);

  std::string error = writeBlocks(type, start, bufferAnswers);
  // A drive that has gone gets no flush, close or reset.
  const bool gone = error == writerError("NO DEVICE");
  if (error.empty()) error = cache_->error();
  if (!gone) {
    // A failed flush or close is a failed write, and nothing is closed
    // after an error.
    const std::string flushed = flushTrack(type);
    if (error.empty()) error = flushed;
    if (error.empty() && !abort_ && !CloseSession(type, track, image_.FinalizeTrack))
      error = writerError(LastError());
    WaitReady(240000, 5000);
    if (type != disc::DvdRam) ReadBufferCapacity();
    ResetDrive();
    DeviceBufferSize = DeviceFreeBufferSize = 0;
  }
  finishWriter(start, error);
}

// Step 10: the session kept, OnWriteDone on the main thread (waited for).
// The writer counts as ended only after the handler returned, so a handler
// starting the next write is refused rather than waiting on this thread.
void TCDBurner::finishWriter(uint32_t start, const std::string& error) {
  {
    std::lock_guard lock(criticalSection());
    written_ = {start, TrackSize(), stream_->delivered(), error};
  }
  mainThread_.postAndWait([this, error] {
    if (OnWriteDone) OnWriteDone(error);
    writerEnded_ = true;
  });
  writerEnded_ = true;
  setCloseAfterEachCommand(true);
}

}  // namespace cdengine
