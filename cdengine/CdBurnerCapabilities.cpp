// What the drive can do: the capability flags from the capabilities page
// (2Ah), the DVD+RW and DVD-R features and the vendor page, and its speeds.

#include <algorithm>

#include "cdengine/CdBurner.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

namespace {

constexpr uint32_t kDefaultSpeed = 1385;

uint32_t bit(int n) {
  return uint32_t{1} << n;
}

// Page 2Ah bytes 2, 3 and 4 as capability flags.
uint32_t pageFlags(const Reply& page) {
  using namespace capability;
  const uint8_t read = page.at(2);
  const uint8_t write = page.at(3);
  uint32_t flags = read & 0x0F;  // CD-R, CD-RW, method 2, DVD-ROM read
  if (read & 0x10) flags |= bit(DvdRRead) | bit(DvdRRead2);
  if (read & 0x20) flags |= bit(DvdRamRead);
  if (write & 0x01) flags |= bit(CdRWrite);
  if (write & 0x02) flags |= bit(CdRwWrite);
  if (write & 0x04) flags |= bit(TestWrite);
  if (write & 0x10) flags |= bit(DvdRWrite) | bit(DvdRWrite2);
  if (write & 0x20) flags |= bit(DvdRamWrite);
  if (page.at(4) & 0x80) flags |= bit(BufferUnderrunFree);
  return flags;
}

}  // namespace

void TCDBurner::GetCapabilities() {
  using namespace capability;
  Capabilities = 0;
  DeviceMaxReadSpeed = 0;
  DeviceMaxWriteSpeed = 0;

  auto defaults = mmc::modeSense(0x2A, true, 255);
  if (defaults.run(*this)) {
    const Reply page = defaults.reply().from(modePageOffset(defaults.reply(), 0x2A));
    Capabilities = pageFlags(page);
    DeviceMaxWriteSpeed = page.be16(18);
    DeviceMaxReadSpeed = page.be16(8);
    if (capable(DvdRamWrite)) {
      if (DeviceMaxWriteSpeed == 0) DeviceMaxWriteSpeed = 1;
      if (DeviceMaxReadSpeed == 0) DeviceMaxReadSpeed = 1;
    }
  }
  auto vendor = mmc::modeSense(0x30, false, 255);
  if (vendor.run(*this)) {
    const Reply reply = vendor.reply();
    if (reply.at(7) == '0' || reply.at(8) == '0' || reply.at(16) == '0')
      Capabilities |= bit(BufferUnderrunFree);
  }
  if (quirks().a) Capabilities |= bit(BufferUnderrunFree);

  auto plusRw = mmc::getConfiguration(0x002A);
  if (plusRw.run(*this)) {
    const auto feature = firstFeature(plusRw.reply(), 0x002A);
    if (feature.reported) Capabilities |= bit(DvdPlusRwRead) | bit(DvdPlusRwRead2);
    if (feature.current) Capabilities |= bit(DvdPlusRwWrite) | bit(DvdPlusRwWrite2);
  }
  auto dvdR = mmc::getConfiguration(0x002F);
  if (dvdR.run(*this)) {
    const auto feature = firstFeature(dvdR.reply(), 0x002F);
    if (feature.reported) Capabilities |= bit(DvdRRead) | bit(DvdRRead2);
    if (feature.current) Capabilities |= bit(DvdRWrite) | bit(DvdRWrite2);
  }

  DeviceCurrentReadSpeed = kDefaultSpeed;
  DeviceCurrentWriteSpeed = kDefaultSpeed;
  auto current = mmc::modeSense(0x2A, false, 128);
  if (current.run(*this)) {
    const Reply page = current.reply().from(modePageOffset(current.reply(), 0x2A));
    if (page.be16(14)) DeviceCurrentReadSpeed = page.be16(14);
    if (page.be16(20)) DeviceCurrentWriteSpeed = page.be16(20);
  }
  DeviceMaxReadSpeed = std::max(DeviceMaxReadSpeed, DeviceCurrentReadSpeed);
  DeviceMaxWriteSpeed = std::max(DeviceMaxWriteSpeed, DeviceCurrentWriteSpeed);
}

}  // namespace cdengine
