#pragma once
// TSCSIDevice: the engine's SCSI transport. It chooses how commands reach
// the drives (an ASPI driver, or the engine's own emulation over the SCSI
// pass-through), lists the CD and DVD devices, selects one by its
// description or drive letter, sends one command block at a time with its
// buffer and collects status and sense, and turns failures into texts.
// Every wait goes through the clock it is given.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cdengine/AspiEmulation.h"
#include "cdengine/DeviceDescription.h"
#include "cdengine/IsoTree.h"
#include "platform/core/clock.h"
#include "platform/scsi/device_io.h"
#include "platform/scsi/scsi_structures.h"

namespace cdengine {

class TSCSIDevice {
 public:
  TSCSIDevice(platform::scsi::DeviceAccess access, platform::Clock& clock);
  virtual ~TSCSIDevice();
  TSCSIDevice(const TSCSIDevice&) = delete;
  TSCSIDevice& operator=(const TSCSIDevice&) = delete;

  // Chooses the interface, then counts the adapters and lists the devices.
  // True when an interface is in use.
  bool InitInterface(bool preferEmulation, const std::string& driverPath = "");
  bool ASPIInitialized() const { return send_ != nullptr; }
  // "SPTIASPI", "WNASPI32.DLL", or empty before initialisation.
  const std::string& InterfaceName() const { return interfaceName_; }
  int AdapterCount() const { return adapterCount_; }

  void ScanDevices();
  const std::vector<std::string>& Devices() const { return devices_; }
  void SelectDevice(const std::string& description);
  bool SelectDriveLetter(char letter);
  // The selected device's letter, or '?'.
  char DriveLetter();
  const ScsiAddress& Address() const { return address_; }
  const std::string& Description() const { return description_; }
  const InquiryFields& Inquired() const { return inquired_; }
  const Quirks& quirks() const { return quirks_; }

  // Sends one request: the caller fills flags, buffer and command block.
  void ExecCommand(platform::scsi::SRB_ExecSCSICmd& srb, uint32_t timeoutMs);
  bool TestUnitReady(uint32_t timeoutMs);
  bool Inquiry();
  bool WaitReady(uint32_t totalMs, uint32_t stepMs);

  const std::string& LastError() const { return lastError_; }
  const std::array<uint8_t, 33>& LastSense() const { return lastSense_; }
  uint8_t LastAsc() const { return lastSense_[12]; }
  uint8_t LastAscq() const { return lastSense_[13]; }

  // The emulation closes a drive's handle after each command while this is
  // on (the default); the tray commands turn it on and off around them.
  void setCloseAfterEachCommand(bool on);
  // Marks the unexpected failure as reported, so none is reported later.
  void markFailureReported() { failureReported_ = true; }
  // Shared with the write pipeline around its queue; the transport itself
  // takes no lock.
  std::recursive_mutex& criticalSection() { return criticalSection_; }

  bool DoDebug = true;
  DebugMessage OnDebugMessage;
  std::function<void()> OnDeviceChange;

 protected:
  void debug(const std::string& text, DebugType type) const;
  platform::Clock& clock() { return clock_; }
  // What the MMC layer adds to a selection (its capabilities, write types).
  virtual void deviceSelected() {}
  // The status WaitReady polls while the drive reports "becoming ready".
  virtual void readStatus() { TestUnitReady(5000); }
  // Where debug messages go: OnDebugMessage, at once.
  virtual void deliverDebug(const std::string& text, DebugType type) const;
  // The disc type last read; 6 (DVD-RAM) skips WaitReady's polling.
  virtual int lastDiscType() const { return 0; }

 private:
  void freeInterface();
  bool useEmulation();
  bool useDriver(const std::string& driverPath);
  void queryAdapters();
  std::optional<platform::scsi::SRB_HAInquiry> adapterInquiry(uint8_t adapter);
  void deselect();
  bool selectAddress(const ScsiAddress& address, char letter);
  char diskInfoLetter(const ScsiAddress& address);
  std::optional<ScsiAddress> addressOfLetter(char letter);
  void reportOrTrace(const platform::scsi::SRB_ExecSCSICmd& srb);
  bool progressPending();

  platform::scsi::DeviceAccess access_;
  platform::Clock& clock_;
  std::unique_ptr<AspiEmulation> emulation_;
  std::function<uint32_t(void*)> send_;
  std::string interfaceName_;
  int adapterCount_ = 0;

  ScsiAddress address_;
  std::string description_;
  std::vector<std::string> devices_;
  std::array<uint8_t, 128> inquiry_{};
  InquiryFields inquired_;
  Quirks quirks_;
  std::string lastError_;
  std::array<uint8_t, 33> lastSense_{};
  bool failureReported_ = false;
  std::recursive_mutex criticalSection_;
};

// The slow-ready quirk some models set for every device of the process.
bool slowReadyEverywhere();

}  // namespace cdengine
