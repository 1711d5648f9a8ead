// Listing the CD and DVD devices and selecting one by its description or
// its drive letter.

#include <atomic>
#include <cctype>
#include <string>

#include "cdengine/ScsiDevice.h"

namespace cdengine {

using namespace platform::scsi;

namespace {

constexpr const char* kInvalidDevice = "INVALID DEVICE ID / NOT A CD OR DVD DRIVE";

std::atomic<bool> slowReadyProcess{false};

std::string trimmedRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

bool cdDevice(uint8_t peripheralType) {
  return peripheralType == 5 || peripheralType == 4;
}

}  // namespace

bool slowReadyEverywhere() {
  return slowReadyProcess.load();
}

void TSCSIDevice::deselect() {
  address_ = ScsiAddress{};
  description_.clear();
  quirks_ = Quirks{};
}

void TSCSIDevice::ScanDevices() {
  devices_.clear();
  if (DoDebug) debug(">>> " + interfaceName_, DebugType::Info);
  // The scan's INQUIRYs go to every address; the selection stays as it was.
  const ScsiAddress previous = address_;
  const auto previousInquiry = inquiry_;
  const InquiryFields previousFields = inquired_;
  for (int adapter = 0; adapter < adapterCount_; ++adapter) {
    const auto inquiry = adapterInquiry(static_cast<uint8_t>(adapter));
    if (DoDebug && inquiry) {
      const std::string manager(reinterpret_cast<const char*>(inquiry->HA_ManagerId), 16);
      const std::string id(reinterpret_cast<const char*>(inquiry->HA_Identifier), 16);
      debug(">>> " + manager + " (" + trimmedRight(id) + ")", DebugType::Info);
    }
    for (uint8_t target = 0; target < 8; ++target) {
      for (uint8_t lun = 0; lun < 8; ++lun) {
        address_ = {static_cast<uint8_t>(adapter), target, lun};
        if (!Inquiry() || !cdDevice(Inquired().peripheralType)) continue;
        const InquiryFields fields = Inquired();
        const char letter = DriveLetter();
        devices_.push_back(deviceDescription(address_, letter == '?' ? 0 : letter, fields));
      }
    }
  }
  address_ = previous;
  inquiry_ = previousInquiry;
  inquired_ = previousFields;
}

void TSCSIDevice::SelectDevice(const std::string& description) {
  if (description.size() <= 4) {
    deselect();
    if (!description.empty()) debug(kInvalidDevice, DebugType::Command);
    return;
  }
  const auto address = descriptionAddress(description);
  if (!address) {
    deselect();
    debug(kInvalidDevice, DebugType::Command);
    return;
  }
  address_ = *address;
  description_ = description;
  if (!Inquiry() || !cdDevice(Inquired().peripheralType)) {
    deselect();
    debug(kInvalidDevice, DebugType::Command);
    return;
  }
  quirks_ = quirksFor(inquired_.vendor, inquired_.product);
  if (quirks_.slowReadyProcess) slowReadyProcess.store(true);
  if (OnDeviceChange) OnDeviceChange();
  deviceSelected();
}

bool TSCSIDevice::selectAddress(const ScsiAddress& address, char letter) {
  SelectDevice(std::to_string(address.adapter) + ":" + std::to_string(address.target) + ":" +
               std::to_string(address.lun) + " " + letter + ":");
  return address_.selected();
}

std::optional<ScsiAddress> TSCSIDevice::addressOfLetter(char letter) {
  auto handle = openDrive(access_, letter);
  if (!handle) return std::nullopt;
  if (auto address = scsiAddress(*handle))
    return ScsiAddress{address->PortNumber, address->TargetId, address->Lun};
  // The emulation put a drive without an address on an adapter of its own.
  if (emulation_) return emulation_->addressOf(letter);
  return std::nullopt;
}

bool TSCSIDevice::SelectDriveLetter(char letter) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  if (!send_) return false;
  if (const auto address = addressOfLetter(letter)) return selectAddress(*address, letter);
  if (emulation_) return false;
  // An ASPI driver on a system without the pass-through: its disk information.
  for (int adapter = 0; adapter < adapterCount_; ++adapter)
    for (uint8_t target = 0; target < 8; ++target)
      for (uint8_t lun = 0; lun < 8; ++lun) {
        const ScsiAddress address{static_cast<uint8_t>(adapter), target, lun};
        if (diskInfoLetter(address) == letter) return selectAddress(address, letter);
      }
  return false;
}

char TSCSIDevice::diskInfoLetter(const ScsiAddress& address) {
  SRB_GetDiskInfo srb;
  srb.h.SRB_Cmd = SC_GET_DISK_INFO;
  srb.h.SRB_HaId = address.adapter;
  srb.SRB_Target = address.target;
  srb.SRB_Lun = address.lun;
  send_(&srb);
  if (srb.h.SRB_Status != SS_COMP || srb.SRB_Int13HDriveInfo > 25) return 0;
  return static_cast<char>('A' + srb.SRB_Int13HDriveInfo);
}

char TSCSIDevice::DriveLetter() {
  if (!send_ || !address_.selected()) return '?';
  if (emulation_) {
    const char letter = emulation_->driveLetter(address_);
    return letter ? letter : '?';
  }
  if (access_.openDevice) {
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
      uint32_t error = 0;
      auto handle = access_.openDevice(devicePath(letter), false, error);
      if (!handle) continue;
      const auto address = scsiAddress(*handle);
      if (address && address->PortNumber == address_.adapter &&
          address->TargetId == address_.target)
        return letter;
    }
  }
  const char letter = diskInfoLetter(address_);
  return letter ? letter : '?';
}

}  // namespace cdengine
