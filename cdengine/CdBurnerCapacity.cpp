// The room on a disc: its capacity, the sectors already written, and where
// the next session starts.

#include <algorithm>
#include <vector>

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"
#include "platform/cdfs/directory_record.h"

namespace cdengine {

namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr uint32_t kUnusableCapacity = 0xFFFD0001;
constexpr uint32_t kShortAtip = 20000;

bool overwritable(int type) {
  return type == disc::DvdRam || type == disc::DvdPlusRw;
}
bool dvdRw(int type) {
  return type == disc::DvdRwRestricted || type == disc::DvdRwSequential;
}

}  // namespace

std::optional<uint32_t> TCDBurner::volumeSize(uint32_t from, uint32_t to) {
  std::vector<uint8_t> sector(2048);
  const int step = from <= to ? 1 : -1;
  for (int64_t lba = from;; lba += step) {
    if (ReadBlocks(static_cast<uint32_t>(lba), 1, sector.data())) {
      const auto descriptor = platform::cdfs::readVolumeDescriptor(sector.data());
      if (descriptor && (descriptor->type == 1 || descriptor->type == 2))
        return descriptor->volumeSpaceSize;
    }
    if (lba == to) return std::nullopt;
  }
}

uint32_t TCDBurner::Capacity() {
  const int type = GetDiscType();
  prepareAddressQuery(type);
  const auto info = readDisc();
  const int sessions = info ? std::max(0, info->sessionCount()) : 0;
  if (type < disc::DvdRom) {
    uint32_t result = 0;
    const auto atip = readAtip();
    if (atip && atip->leadOutStart) {
      result = atip->leadOutStart;
      if (result < kShortAtip) {
        const auto last = readCapacityLastSector();
        if (last && *last > result) result = *last;
      }
    } else if (const auto formattable = formatCapacity();
               formattable && *formattable != kUnusableCapacity) {
      result = *formattable;
    } else {
      auto track = formattable ? readTrack(sessions + 1) : std::nullopt;
      if (!track) track = readTrack(std::max(sessions, 1));
      result = track ? track->freeBlocks + track->trackStart : 0;
    }
    return result == kNone ? UsedSectors() : result;
  }
  const auto track = readTrack(0);
  if (type == disc::DvdRam || type == disc::DvdRwRestricted || type == disc::DvdPlusRw)
    return formatCapacity().value_or(0);
  return track ? track->freeBlocks + track->nextWritable : 0;
}

uint32_t TCDBurner::UsedSectors() {
  const int type = GetDiscType();
  prepareAddressQuery(type);
  if (type < disc::DvdRom) {
    const int sessions = SessionCount();
    const auto track = readTrack(sessions + 1);
    if (track) {
      const uint32_t used = track->nextWritable == kNone ? track->trackSize : track->nextWritable;
      if (used != 0 || sessions == 0) return used;
    } else if (sessions == 0) {
      return 0;
    }
    if (const auto last = readCapacityLastSector())
      return *last < 0x7F000001 ? *last : formatCapacity().value_or(0);
    return track ? track->freeBlocks : 0;
  }
  const auto track = readTrack(0);
  if (!track || track->trackSize == kNone) return 0;
  if (overwritable(type)) return volumeSize(16, 32).value_or(0);
  if (dvdRw(type)) return track->trackSize == track->freeBlocks ? 0 : track->trackSize;
  return track->nextWritable;
}

uint32_t TCDBurner::SessionStart() {
  WaitReady(10000, 500);
  const int type = GetDiscType();
  prepareAddressQuery(type);
  WaitReady(10000, 500);
  if (overwritable(type)) return volumeSize(32, 16).value_or(0);
  std::optional<TrackInformation> track;
  if (const auto info = readDisc())
    track = readTrack(dvdRw(type) ? 1 : std::max(0, info->sessionCount()) + 1);
  if (!track) {
    debug(">>> ERROR GETTING NEXT WRITABLE ADDRESS", DebugType::Command);
    return 0;
  }
  return track->nextWritable;
}

}  // namespace cdengine
