// Blanking a rewritable disc: the command that starts it, by disc type.
// The erase thread that follows it to the end is in CdBurnerEraseThread.cpp.

#include <vector>

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

namespace {

// FORMAT UNIT parameter lists: a header with the immediate bit, then one
// format descriptor (blocks, format type, type-dependent parameter).
constexpr uint8_t kDvdPlusRwFormat[12] = {0x00, 0x02, 0x00,      0x08, 0xFF, 0xFF,
                                          0xFF, 0xFF, 0x26 << 2, 0x00, 0x00, 0x00};
constexpr uint8_t kDvdRamFormat[12] = {0x00, 0x02, 0x00, 0x08, 0xFF, 0xFF,
                                       0xFF, 0xFF, 0x00, 0x00, 0x08, 0x00};

constexpr uint16_t kDvdRamQuickWrites = 11;
constexpr uint16_t kDvdRamQuickSectors = 32;

}  // namespace

bool TCDBurner::issueBlank(bool quick, int discType) {
  switch (discType) {
    case disc::DvdPlusRw:
      if (mmc::formatUnit(kDvdPlusRwFormat).run(*this)) return true;
      mmc::rezeroUnit().run(*this);
      clock().sleepMs(1000);
      return mmc::formatUnit(kDvdPlusRwFormat).run(*this);
    case disc::DvdRam:
      if (!quick) return mmc::formatUnit(kDvdRamFormat).run(*this);
      {
        std::vector<uint8_t> zeros(uint32_t{kDvdRamQuickSectors} * 2048);
        for (uint16_t i = 0; i < kDvdRamQuickWrites; ++i)
          if (!WriteBlocks(i * kDvdRamQuickSectors, kDvdRamQuickSectors, zeros.data()))
            return false;
      }
      return SyncCache(60000, false);
    default:
      return mmc::blank(quick ? 1 : 0).run(*this);
  }
}

bool TCDBurner::StartErase(bool quick) {
  // Never a blank while a session is written, nor a second one.
  joinEndedThreads();
  if (writing_ || Erasing || eraser_.joinable()) return false;
  TestUnitReady(5000);
  Load();
  const int type = GetDiscType();
  if (!TestUnitReady(5000) && !WaitReady(30000, 5000)) return false;
  if (type != disc::DvdRam) {
    SetSpeed(ReadSpeed, WriteSpeed);
    SetWriteParameters(false, false, type);
  }
  const uint32_t speed = WriteSpeed ? WriteSpeed : DeviceCurrentWriteSpeed;
  debug(std::string(">>> STARTING ERASE PROCESS ON ") + discTypeName(type) + " AT " +
            speedText(speed, type),
        DebugType::Info);
  if (!issueBlank(quick, type)) {
    if (OnEraseDone) OnEraseDone(true);
    return false;
  }
  const bool cd = type < disc::DvdRom;
  const uint32_t seconds = cd ? (quick ? 150 : 4500) : (quick ? 600 : 4440);
  // Set before the thread starts: it clears the flag when it ends.
  Erasing = true;
  if (!startEraseThread(seconds)) {
    Erasing = false;
    return false;
  }
  return true;
}

}  // namespace cdengine
