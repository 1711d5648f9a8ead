#include "cdengine/ScsiDevice.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "cdengine/CommandTrace.h"
#include "cdengine/SenseTexts.h"

namespace cdengine {

using namespace platform::scsi;

namespace {

constexpr const char* kDriverName = "WNASPI32.DLL";
constexpr const char* kEmulationName = "SPTIASPI";
constexpr uint32_t kShortestWaitMs = 10000;

// Commands whose failures are part of normal probing and never reported.
constexpr uint8_t kQuietOpcodes[] = {0x00, 0x01, 0x04, 0x12, 0x1B, 0x1E, 0x23, 0x35, 0x43,
                                     0x46, 0x51, 0x52, 0x55, 0x5A, 0x5C, 0xB6, 0xBB};

bool quiet(uint8_t opcode) {
  return std::find(std::begin(kQuietOpcodes), std::end(kQuietOpcodes), opcode) !=
         std::end(kQuietOpcodes);
}

}  // namespace

TSCSIDevice::TSCSIDevice(DeviceAccess access, platform::Clock& clock)
    : access_(std::move(access)), clock_(clock) {}

TSCSIDevice::~TSCSIDevice() {
  freeInterface();
}

void TSCSIDevice::debug(const std::string& text, DebugType type) const {
  deliverDebug(text, type);
}

void TSCSIDevice::deliverDebug(const std::string& text, DebugType type) const {
  if (OnDebugMessage) OnDebugMessage(text, type);
}

void TSCSIDevice::freeInterface() {
  if (emulation_) emulation_->closeHandles();
  emulation_.reset();
  send_ = nullptr;
  interfaceName_.clear();
  adapterCount_ = 0;
}

bool TSCSIDevice::useEmulation() {
  auto emulation = std::make_unique<AspiEmulation>(access_);
  if (!emulation->discover()) return false;
  emulation_ = std::move(emulation);
  AspiEmulation* e = emulation_.get();
  send_ = [e](void* srb) { return e->sendCommand(srb); };
  interfaceName_ = kEmulationName;
  return true;
}

bool TSCSIDevice::useDriver(const std::string& driverPath) {
  if (!access_.loadAspiDriver) return false;
  std::optional<AspiDriver> driver;
  if (!driverPath.empty()) driver = access_.loadAspiDriver(driverPath);
  if (!driver) driver = access_.loadAspiDriver(std::string(".\\") + kDriverName);
  if (!driver) driver = access_.loadAspiDriver(kDriverName);
  if (!driver || !driver->getSupportInfo || !driver->sendCommand) return false;
  driver->getSupportInfo();
  send_ = driver->sendCommand;
  interfaceName_ = kDriverName;
  return true;
}

bool TSCSIDevice::InitInterface(bool preferEmulation, const std::string& driverPath) {
  // Windows' critical-error dialogs have no counterpart here: a missing
  // disc or driver only fails the call.
  try {
    freeInterface();
    deselect();
    bool chosen = preferEmulation && useEmulation();
    if (!chosen) chosen = useDriver(driverPath);
    if (!chosen && !preferEmulation) chosen = useEmulation();
    if (!chosen) return false;
    if (emulation_) emulation_->supportInfo();
    queryAdapters();
    ScanDevices();
    return true;
  } catch (const std::exception&) {
    freeInterface();
    return false;
  }
}

std::optional<SRB_HAInquiry> TSCSIDevice::adapterInquiry(uint8_t adapter) {
  if (!send_) return std::nullopt;
  SRB_HAInquiry srb;
  srb.h.SRB_Cmd = SC_HA_INQUIRY;
  srb.h.SRB_HaId = adapter;
  send_(&srb);
  if (srb.h.SRB_Status != SS_COMP) return std::nullopt;
  return srb;
}

void TSCSIDevice::queryAdapters() {
  const auto inquiry = adapterInquiry(0);
  if (!inquiry) {
    adapterCount_ = 0;
    return;
  }
  adapterCount_ = inquiry->HA_Count == 0 ? 7 : inquiry->HA_Count;
}

void TSCSIDevice::setCloseAfterEachCommand(bool on) {
  if (emulation_) emulation_->setCloseAfterEachCommand(on);
}

void TSCSIDevice::ExecCommand(SRB_ExecSCSICmd& srb, uint32_t timeoutMs) {
  lastError_.clear();
  if (!send_ || !address_.selected()) {
    // Nothing to send it to: a pending status here would pass for a write
    // under way.
    srb.h.SRB_Status = SS_NO_DEVICE;
    return;
  }

  std::unique_ptr<Event> event;
  if (srb.h.SRB_Flags & SRB_EVENT_NOTIFY) {
    event = createEvent(clock_);
    event->reset();
    srb.SRB_PostProc = event.get();
  }
  srb.h.SRB_Cmd = SC_EXEC_SCSI_CMD;
  srb.h.SRB_Status = SS_PENDING;
  srb.h.SRB_HaId = address_.adapter;
  srb.SRB_Target = address_.target;
  srb.SRB_Lun = address_.lun;
  srb.SRB_SenseLen = 24;
  srb.CDBByte[1] = static_cast<uint8_t>((srb.CDBByte[1] & 0x1F) | (address_.lun << 5));
  const auto bufferAddress = reinterpret_cast<uintptr_t>(srb.SRB_BufPointer);
  if (srb.SRB_BufPointer && bufferAddress % 4 != 0)
    debug("aaaa" + std::to_string(bufferAddress), DebugType::Command);

  send_(&srb);
  if (srb.h.SRB_Status == SS_PENDING && event) event->wait(std::max(timeoutMs, kShortestWaitMs));

  if (srb.h.SRB_Status == SS_PENDING && event) {
    // Never completed: take it back from the driver before its event goes.
    SRB_Abort abort;
    abort.h.SRB_Cmd = SC_ABORT_SRB;
    abort.h.SRB_HaId = address_.adapter;
    abort.SRB_ToAbort = &srb;
    send_(&abort);
    srb.h.SRB_Status = SS_ERR;
    srb.SRB_HaStat = HASTAT_TIMEOUT;
  }
  srb.SRB_PostProc = nullptr;
  if (srb.h.SRB_Status != SS_COMP && srb.h.SRB_Status != SS_PENDING)
    lastError_ = requestErrorText(srb);
  std::memcpy(lastSense_.data(), srb.SenseArea, lastSense_.size());
  reportOrTrace(srb);
}

void TSCSIDevice::reportOrTrace(const SRB_ExecSCSICmd& srb) {
  if (commandTrace()) {
    debug(commandLine(srb, traceTime(clock_.nowMs()), lastError_), DebugType::Command);
    return;
  }
  const uint8_t status = srb.h.SRB_Status;
  if (status == SS_COMP || status == SS_PENDING || failureReported_) return;
  if (quiet(srb.CDBByte[0])) return;
  if (srb.SenseArea[12] == 0x04 && srb.SenseArea[13] == 0x08) return;
  failureReported_ = true;
  debug(commandLine(srb, "", lastError_), DebugType::Command);
}

bool TSCSIDevice::TestUnitReady(uint32_t timeoutMs) {
  SRB_ExecSCSICmd srb;
  srb.h.SRB_Flags = SRB_EVENT_NOTIFY;
  srb.SRB_CDBLen = 6;
  srb.CDBByte[0] = 0x00;
  ExecCommand(srb, timeoutMs);
  return srb.h.SRB_Status == SS_COMP;
}

bool TSCSIDevice::Inquiry() {
  inquiry_.fill(0);
  SRB_ExecSCSICmd srb;
  srb.h.SRB_Flags = SRB_DIR_IN | SRB_EVENT_NOTIFY;
  srb.SRB_BufLen = inquiry_.size();
  srb.SRB_BufPointer = inquiry_.data();
  srb.SRB_CDBLen = 6;
  srb.CDBByte[0] = 0x12;
  srb.CDBByte[4] = static_cast<uint8_t>(inquiry_.size());
  ExecCommand(srb, 10000);
  if (srb.h.SRB_Status != SS_COMP) return false;
  inquired_ = inquiryFields(inquiry_.data());
  return true;
}

}  // namespace cdengine
