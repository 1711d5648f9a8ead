// Blocks to and from the disc, the drive's cache and buffer, and closing
// what was written.

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

using namespace platform::scsi;

namespace {

constexpr int kCloseAttempts = 1000;
constexpr uint8_t kTargetBusy = 0x08;

// A drive that has gone answers "no device", or fails with no sense at
// all: waiting for it to become ready cannot help.
bool vanished(const MmcRequest& request) {
  const auto& srb = request.srb();
  if (srb.h.SRB_Status == SS_NO_DEVICE) return true;
  if (srb.h.SRB_Status != SS_ERR || srb.SRB_HaStat != HASTAT_OK || srb.SRB_TargStat == kTargetBusy)
    return false;
  for (size_t i = 0; i < kSenseLength; ++i)
    if (srb.SenseArea[i] != 0) return false;
  return true;
}

}  // namespace

bool TCDBurner::WriteBlocks(uint32_t lba, uint16_t count, uint8_t* buffer) {
  return writeUnit(lba, count, buffer) == WriteResult::Written;
}

// A write still pending counts as done; a drive busy or becoming ready
// (target busy, additional sense 04h or 00h) is worth another try, a
// vanished one is not.
TCDBurner::WriteResult TCDBurner::writeUnit(uint32_t lba, uint16_t count, uint8_t* buffer) {
  auto request = mmc::write10(lba, count, buffer);
  if (request.run(*this) || request.pending()) return WriteResult::Written;
  if (vanished(request)) return WriteResult::Vanished;
  if (request.srb().SRB_TargStat == kTargetBusy || LastAsc() == 0x04 || LastAsc() == 0x00)
    return WriteResult::Busy;
  return WriteResult::Failed;
}

bool TCDBurner::ReadBlocks(uint32_t lba, uint16_t count, uint8_t* buffer) {
  return mmc::read10(lba, count, buffer).run(*this);
}

bool TCDBurner::SyncCache(uint32_t timeoutMs, bool immediate) {
  return mmc::synchronizeCache(immediate).run(*this, timeoutMs);
}

bool TCDBurner::CloseTrackSession(bool immediate, uint8_t function, uint8_t track) {
  return mmc::closeTrackSession(immediate, function, track).run(*this);
}

bool TCDBurner::ReadBufferCapacity() {
  auto request = mmc::readBufferCapacity();
  if (!request.run(*this)) {
    DeviceFreeBufferSize = 0;
    return false;
  }
  DeviceBufferSize = request.reply().be32(4);
  const uint32_t free = request.reply().be32(8);
  DeviceFreeBufferSize = free == 0xFFFFFFFF ? DeviceBufferSize.load() : free;
  return true;
}

// A CD session: retried every second while the drive is busy or becoming
// ready (it may still be writing the lead-in); any other failure once more.
bool TCDBurner::closeCdSession() {
  for (int attempt = 0; attempt < kCloseAttempts; ++attempt) {
    auto request = mmc::closeTrackSession(false, 2, 0);
    if (request.run(*this)) return true;
    if (vanished(request)) return false;
    const bool busy = request.srb().SRB_TargStat == kTargetBusy || LastAsc() == 0x04;
    if (!busy) return CloseTrackSession(false, 2, 0);
    clock().sleepMs(1000);
  }
  return false;
}

bool TCDBurner::CloseSession(int discType, uint8_t track, bool finalizeTrack) {
  if (TestWrite || discType == disc::DvdRam || !finalizeTrack) return true;
  if (discType != disc::DvdR) SetWriteParameters(false, UnderrunProtection, discType);
  switch (discType) {
    case disc::DvdPlusR:
      return CloseTrackSession(false, 1, track) && CloseTrackSession(false, 2, 255);
    case disc::DvdR:
      return CloseTrackSession(false, 1, track) &&
             CloseTrackSession(false, 1, static_cast<uint8_t>(track + 1)) &&
             CloseTrackSession(false, 2, static_cast<uint8_t>(track + 2));
    case disc::DvdRwRestricted:
    case disc::DvdRwSequential:
      return CloseTrackSession(true, 2, 0);
    case disc::DvdPlusRw:
      return CloseTrackSession(false, 3, 255);
    default:
      return closeCdSession();
  }
}

}  // namespace cdengine
