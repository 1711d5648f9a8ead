// TCDBurner as the image builder's drive: the disc's kind, its sessions'
// starts and its sectors.

#include <algorithm>

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

namespace {

constexpr uint32_t kReadChunk = 32;

}  // namespace

DiscType TCDBurner::discType() {
  switch (GetDiscType()) {
    case disc::Unknown:
      return DiscType::None;
    case disc::CdRom:
    case disc::DvdRom:
    case disc::DdcdRom:
      return DiscType::CdRom;
    case disc::CdR:
    case disc::DvdR:
    case disc::DvdPlusR:
    case disc::DdcdR:
      return DiscType::CdR;
    default:
      return DiscType::CdRw;
  }
}

// The first track whose session is `session`: the program writes one
// track per session, so the tracks are walked in order.
std::optional<uint32_t> TCDBurner::firstTrackStart(int session) {
  auto toc = mmc::readToc(0, false, 0, 255);
  if (!toc.run(*this) || session < 1) return std::nullopt;
  const uint8_t first = toc.reply().at(2);
  const uint8_t last = toc.reply().at(3);
  for (int track = std::max<int>(first, 1); track <= last; ++track) {
    const auto info = readTrack(static_cast<uint32_t>(track));
    if (info && info->session == session) return info->trackStart;
  }
  return std::nullopt;
}

bool TCDBurner::readSectors(uint32_t sector, uint32_t count, uint8_t* out) {
  for (uint32_t done = 0; done < count;) {
    const uint32_t n = std::min(kReadChunk, count - done);
    if (!ReadBlocks(sector + done, static_cast<uint16_t>(n), out + uint64_t{done} * 2048))
      return false;
    done += n;
  }
  return true;
}

}  // namespace cdengine
