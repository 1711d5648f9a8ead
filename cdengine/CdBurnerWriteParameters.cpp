// The write parameters page (05h): read from the drive, set for the disc
// type and the write, and sent back with MODE SELECT.

#include <cstring>

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

namespace {

struct PageColumn {
  uint8_t writeType;    // byte 2
  uint8_t trackMode;    // byte 3
  uint8_t linkSize;     // byte 5
  uint32_t packetSize;  // bytes 10-13
};

constexpr PageColumn kTrackAtOnce{0x01, 0x04, 0, 0};

PageColumn columnOf(int discType) {
  switch (discType) {
    case disc::DvdR:
      return {0x60, 0xE5, 16, 16};
    case disc::DvdRwRestricted:
    case disc::DvdRwSequential:
      return {0x20, 0xC5, 16, 0};
    case disc::DvdPlusRw:
      return {0x22, 0x04, 16, 0};
    case disc::DvdPlusR:
      return {0x22, 0xC4, 0, 16};
    default:
      return kTrackAtOnce;
  }
}

constexpr uint8_t kMultisessionNext = 3;  // bits 7-6 of byte 3: next session allowed

}  // namespace

bool TCDBurner::SetWriteParameters(bool testWrite, bool underrunProtection, int discType) {
  if (discType == disc::DvdRam) return true;
  auto sense = mmc::modeSense(0x05, false, 512);
  if (!sense.run(*this)) return false;
  const Reply reply = sense.reply();
  const Reply read = reply.from(modePageOffset(reply, 0x05));
  for (size_t i = 0; i < page05_.size(); ++i) page05_[i] = read.at(i);

  const PageColumn column = columnOf(discType);
  uint8_t& writeType = page05_[2];
  uint8_t& trackMode = page05_[3];
  page05_[0] = 0x05;
  page05_[1] = 0x32;
  writeType = column.writeType;
  trackMode = column.trackMode;
  if (column.writeType == kTrackAtOnce.writeType) {
    uint8_t multisession = read.at(3) >> 6;
    if (!testWrite && !FinalizeDisc) {
      multisession = kMultisessionNext;
    } else if (multisession == kMultisessionNext) {
      multisession = 0;  // the disc is closed
    }
    trackMode = static_cast<uint8_t>(column.trackMode | multisession << 6);
  }
  page05_[4] = 0x08;  // mode 1, 2048 bytes
  page05_[5] = column.linkSize;
  std::memset(&page05_[6], 0, 4);
  page05_[10] = static_cast<uint8_t>(column.packetSize >> 24);
  page05_[11] = static_cast<uint8_t>(column.packetSize >> 16);
  page05_[12] = static_cast<uint8_t>(column.packetSize >> 8);
  page05_[13] = static_cast<uint8_t>(column.packetSize);
  page05_[14] = 0;
  page05_[15] = 150;  // audio pause length

  if (quirks().b) writeType |= 0x20;
  if (underrunProtection && capable(capability::BufferUnderrunFree)) {
    writeType |= 0x40;
  } else {
    writeType &= ~0x40;
  }
  if (testWrite && capable(capability::TestWrite)) {
    writeType |= 0x10;
  } else {
    writeType &= ~0x10;
  }

  uint8_t parameters[60] = {};
  std::memcpy(parameters + 8, page05_.data(), page05_.size());
  return mmc::modeSelect(parameters, sizeof parameters).run(*this);
}

void TCDBurner::prepareAddressQuery(int discType, bool testWrite) {
  const bool finalize = FinalizeDisc;
  FinalizeDisc = true;
  SetWriteParameters(testWrite, UnderrunProtection, discType);
  FinalizeDisc = finalize;
}

}  // namespace cdengine
