// The tray, the speeds, and the drive's reset after a write or an erase.

#include "cdengine/CdBurner.h"
#include "cdengine/DiscTypes.h"
#include "cdengine/MmcCommands.h"

namespace cdengine {

bool TCDBurner::SetSpeed(uint32_t readKbps, uint32_t writeKbps) {
  return mmc::setCdSpeed(readKbps, writeKbps).run(*this);
}

// The tray commands go out on a fresh handle: the emulation closes it after
// the command and keeps the next ones open.
bool TCDBurner::Eject() {
  setCloseAfterEachCommand(true);
  const bool done = mmc::startStopUnit(false).run(*this);
  setCloseAfterEachCommand(false);
  return done;
}

bool TCDBurner::Load() {
  setCloseAfterEachCommand(true);
  const bool done = mmc::startStopUnit(true).run(*this);
  setCloseAfterEachCommand(false);
  return done;
}

bool TCDBurner::LockTray(bool lock) {
  if (!lock) setCloseAfterEachCommand(true);
  const bool done = mmc::preventAllowRemoval(lock).run(*this);
  setCloseAfterEachCommand(false);
  return done;
}

void TCDBurner::ResetDrive() {
  SetWriteParameters(false, false, disc::CdRom);
  SetSpeed(DeviceMaxReadSpeed, 2);
  mmc::rezeroUnit().run(*this);
  LockTray(false);
  Load();
  mmc::rezeroUnit().run(*this);
  TestUnitReady(5000);
}

}  // namespace cdengine
