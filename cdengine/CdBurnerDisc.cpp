// What disc is in the drive: its type code, its information record, its
// sessions and whether it can be erased.

#include <algorithm>

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

TCDBurner::TCDBurner(platform::scsi::DeviceAccess access, platform::Clock& clock,
                     platform::FileSystem& files)
    : TSCSIDevice(std::move(access), clock), image_(files, this) {}

std::optional<TrackInformation> TCDBurner::readTrack(uint32_t track) {
  auto request = mmc::readTrackInformation(track);
  if (!request.run(*this)) return std::nullopt;
  track_ = parseTrackInformation(request.reply());
  return track_;
}

std::optional<DiscInformation> TCDBurner::readDisc() {
  auto request = mmc::readDiscInformation();
  if (!request.run(*this)) return std::nullopt;
  return parseDiscInformation(request.reply());
}

std::optional<Atip> TCDBurner::readAtip() {
  auto request = mmc::readToc(4, true, 0, 255);
  if (!request.run(*this)) return std::nullopt;
  return parseAtip(request.reply());
}

std::optional<uint32_t> TCDBurner::formatCapacity() {
  auto request = mmc::readFormatCapacities();
  if (!request.run(*this)) return std::nullopt;
  return parseFormatCapacity(request.reply());
}

std::optional<uint32_t> TCDBurner::readCapacityLastSector(uint32_t* sectorSize) {
  auto request = mmc::readCapacity();
  if (!request.run(*this)) return std::nullopt;
  if (sectorSize) *sectorSize = request.reply().be32(4);
  return request.reply().be32(0);
}

int TCDBurner::GetDiscType() {
  auto configuration = mmc::getConfiguration(0);
  int type = configuration.run(*this) ? discTypeOfProfile(currentProfile(configuration.reply()))
                                      : disc::Unknown;
  if (type == disc::Unknown) {
    auto atip = mmc::readToc(4, true, 0, 255);
    if (atip.run(*this)) {
      const auto parsed = parseAtip(atip.reply());
      type = !parsed ? disc::CdRom : parsed->rewritable ? disc::CdRw : disc::CdR;
    } else if (const auto info = readDisc()) {
      type = info->erasable ? disc::CdRw : disc::CdR;
    } else if (TestUnitReady(5000)) {
      type = disc::CdRom;
    }
  }
  lastDiscType_ = type;
  return type;
}

int TCDBurner::SessionCount() {
  const auto info = readDisc();
  return info ? std::max(0, info->sessionCount()) : 0;
}

bool TCDBurner::IsErasable() {
  if (const auto info = readDisc()) return info->erasable;
  const int type = GetDiscType();
  return type == disc::DvdRam || type == disc::DvdRwRestricted || type == disc::DvdRwSequential ||
         type == disc::DvdPlusRw;
}

TDisc TCDBurner::GetDiscInfo() {
  TDisc record;
  if (!TestUnitReady(5000)) {
    WaitReady(3000, 5000);
    if (!TestUnitReady(5000)) return record;
  }
  record.valid = true;

  auto toc = mmc::readToc(0, false, 0, 255);
  const bool tocRead = toc.run(*this);
  if (tocRead) mmc::readToc(0, false, toc.reply().at(3), 255).run(*this);
  auto sessions = mmc::readToc(1, false, 0, 255);
  if (sessions.run(*this)) {
    record.firstSession = sessions.reply().at(2);
    record.lastSession = sessions.reply().at(3);
  }
  if (const auto atip = readAtip()) record.capacity = atip->leadOutStart;
  record.name = "CD-ROM";

  auto configuration = mmc::getConfiguration(0);
  if (configuration.run(*this)) {
    record.profile = currentProfile(configuration.reply());
    record.name = profileName(record.profile);
  }
  const int type = discTypeOfProfile(record.profile);
  lastDiscType_ = type;
  if (const auto track = readTrack(type < disc::DvdRom ? 255 : 1)) {
    record.lastSector = track->nextWritable;
    record.capacity = track->nextWritable + track->freeBlocks;
    record.sectorSize = 2048;
  } else if (const auto formattable = formatCapacity()) {
    record.capacity = std::max(record.capacity, *formattable);
  }

  if (const auto info = readDisc()) {
    record.status = info->status;
    record.lastSessionState = info->lastSessionState;
    record.erasable = info->erasable;
  } else if (const auto last = readCapacityLastSector(&record.sectorSize)) {
    record.lastSector = *last;
    if (tocRead) record.name = "CD-ROM";
  }
  record.capacity = std::max(record.capacity, record.lastSector);
  return record;
}

}  // namespace cdengine
