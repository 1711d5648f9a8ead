// Waiting until a drive is ready: slow models first, then while it reports
// "becoming ready" (04h), then until no operation reports progress.

#include <cstring>

#include "cdengine/ScsiDevice.h"

namespace cdengine {

using namespace platform::scsi;

namespace {

constexpr uint8_t kNotReadyCode = 0x04;

}  // namespace

// REQUEST SENSE: a sense-key specific part marked valid (byte 15 bit 7) on a
// "no sense" or "not ready" key carries the progress of a running operation.
bool TSCSIDevice::progressPending() {
  uint8_t reply[40] = {};
  SRB_ExecSCSICmd srb;
  srb.h.SRB_Flags = SRB_DIR_IN | SRB_EVENT_NOTIFY;
  srb.SRB_BufLen = sizeof reply;
  srb.SRB_BufPointer = reply;
  srb.SRB_CDBLen = 6;
  srb.CDBByte[0] = 0x03;
  srb.CDBByte[4] = sizeof reply;
  ExecCommand(srb, 10000);
  if (srb.h.SRB_Status != SS_COMP) return false;
  const uint8_t key = reply[2] & 0x0F;
  return (key == 0 || key == 2) && (reply[15] & 0x80) != 0;
}

bool TSCSIDevice::WaitReady(uint32_t totalMs, uint32_t stepMs) {
  const uint64_t start = clock_.nowMs();
  const auto timeLeft = [&] { return clock_.nowMs() - start < totalMs; };

  if (quirks_.slowReady || slowReadyEverywhere()) {
    do {
      clock_.sleepMs(1500);
      TestUnitReady(5000);
    } while (LastAsc() == kNotReadyCode && timeLeft());
  }
  if (lastDiscType() != 6) {
    do {
      if (!timeLeft()) return false;
      clock_.sleepMs(stepMs);
      readStatus();
    } while (LastAsc() == kNotReadyCode);
  }
  if (TestUnitReady(5000) && !progressPending()) return true;
  while (LastAsc() == kNotReadyCode) {
    if (!timeLeft()) return false;
    clock_.sleepMs(stepMs);
    TestUnitReady(5000);
  }
  while (progressPending()) {
    if (!timeLeft()) return false;
    clock_.sleepMs(stepMs);
  }
  // The drive no longer says "becoming ready"; whether it is ready is what
  // it answers now (no disc is not ready).
  return TestUnitReady(5000);
}

}  // namespace cdengine
