#include "cdengine/AspiEmulation.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace cdengine {

using namespace platform::scsi;

namespace {

// Windows error codes by which a pass-through says the drive is gone or did
// not answer in time.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorDevNotExist = 55;
constexpr uint32_t kErrorSemTimeout = 121;
constexpr uint32_t kErrorNoSuchDevice = 433;
constexpr uint32_t kErrorBusReset = 1111;
constexpr uint32_t kErrorDeviceNotConnected = 1167;

constexpr uint32_t kCommandSeconds = 120;
constexpr char kManagerId[17] = "CORVASTA SPTI   ";

void signal(SRB_ExecSCSICmd& srb) {
  if ((srb.h.SRB_Flags & SRB_EVENT_NOTIFY) && srb.SRB_PostProc)
    static_cast<Event*>(srb.SRB_PostProc)->set();
}

}  // namespace

std::string devicePath(char letter) {
  return std::string("\\\\.\\") + letter + ":";
}

std::unique_ptr<DeviceHandle> openDrive(const DeviceAccess& access, char letter) {
  if (!access.openDevice) return nullptr;
  uint32_t error = 0;
  const std::string path = devicePath(letter);
  auto handle = access.openDevice(path, true, error);
  if (!handle) handle = access.openDevice(path, false, error);
  return handle;
}

uint32_t passThrough(DeviceHandle& handle, const uint8_t* cdb, uint8_t cdbLength, uint8_t direction,
                     void* data, uint32_t dataLength, uint32_t timeoutSeconds, uint8_t& scsiStatus,
                     uint8_t* sense, uint8_t senseLength) {
  SCSI_PASS_THROUGH_DIRECT_WITH_SENSE record;
  auto& sptd = record.Sptd;
  sptd.Length = 44;
  sptd.CdbLength = std::min<uint8_t>(cdbLength, 16);
  std::memcpy(sptd.Cdb, cdb, sptd.CdbLength);
  sptd.SenseInfoLength = std::min<uint8_t>(senseLength, sizeof record.Sense);
  sptd.DataIn = direction;
  sptd.DataTransferLength = dataLength;
  sptd.DataBuffer = data;
  sptd.TimeOutValue = timeoutSeconds;
  sptd.SenseInfoOffset = kSptdSenseOffset;
  uint32_t returned = 0;
  uint32_t error = 0;
  const bool ok = handle.ioControl(IOCTL_SCSI_PASS_THROUGH_DIRECT, &record, sizeof record, &record,
                                   sizeof record, returned, error);
  scsiStatus = sptd.ScsiStatus;
  if (sense) std::memcpy(sense, record.Sense, sptd.SenseInfoLength);
  if (ok) return 0;
  return error ? error : kErrorDevNotExist;
}

std::optional<SCSI_ADDRESS> scsiAddress(DeviceHandle& handle) {
  SCSI_ADDRESS address;
  uint32_t returned = 0;
  uint32_t error = 0;
  if (!handle.ioControl(IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &address, sizeof address, returned,
                        error))
    return std::nullopt;
  return address;
}

AspiEmulation::AspiEmulation(const DeviceAccess& access) : access_(access) {}

bool AspiEmulation::discover() {
  slots_.clear();
  std::vector<size_t> unaddressed;
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (!access_.driveType || access_.driveType(root) != 5) continue;
    auto handle = openDrive(access_, letter);
    if (!handle) continue;
    Slot slot;
    slot.letter = letter;
    const uint8_t cdb[6] = {0x12, 0, 0, 0, 96, 0};
    uint8_t reply[96] = {};
    uint8_t status = 0;
    passThrough(*handle, cdb, 6, SCSI_IOCTL_DATA_IN, reply, sizeof reply, kCommandSeconds, status,
                nullptr, 0);
    std::memcpy(slot.inquiry.data(), reply, slot.inquiry.size());
    if (auto address = scsiAddress(*handle)) {
      slot.address = {address->PortNumber, address->TargetId, address->Lun};
    } else {
      unaddressed.push_back(slots_.size());
    }
    slots_.push_back(std::move(slot));
  }
  // Drives without an address go on an adapter of their own above the rest.
  int highest = -1;
  for (size_t i = 0; i < slots_.size(); ++i)
    if (std::find(unaddressed.begin(), unaddressed.end(), i) == unaddressed.end())
      highest = std::max<int>(highest, slots_[i].address.adapter);
  uint8_t target = 0;
  for (size_t i : unaddressed) slots_[i].address = {static_cast<uint8_t>(highest + 1), target++, 0};
  return !slots_.empty();
}

uint8_t AspiEmulation::adapterCount() const {
  int highest = -1;
  for (const auto& slot : slots_) highest = std::max<int>(highest, slot.address.adapter);
  return static_cast<uint8_t>(highest + 1);
}

uint32_t AspiEmulation::supportInfo() const {
  const uint8_t count = adapterCount();
  if (count == 0) return uint32_t{SS_NO_ADAPTERS} << 8;
  return (uint32_t{SS_COMP} << 8) | count;
}

void AspiEmulation::setCloseAfterEachCommand(bool on) {
  closeAfterEachCommand_ = on;
  if (on) closeHandles();
}

char AspiEmulation::driveLetter(const ScsiAddress& address) const {
  for (const auto& slot : slots_)
    if (slot.address == address) return slot.letter;
  return 0;
}

std::optional<ScsiAddress> AspiEmulation::addressOf(char letter) const {
  for (const auto& slot : slots_)
    if (slot.letter == letter) return slot.address;
  return std::nullopt;
}

void AspiEmulation::closeHandles() {
  for (auto& slot : slots_) slot.handle.reset();
}

AspiEmulation::Slot* AspiEmulation::find(const ScsiAddress& address) {
  for (auto& slot : slots_)
    if (slot.address == address) return &slot;
  return nullptr;
}

bool AspiEmulation::open(Slot& slot) {
  if (!slot.handle) slot.handle = openDrive(access_, slot.letter);
  return slot.handle != nullptr;
}

uint32_t AspiEmulation::hostAdapterInquiry(SRB_HAInquiry& srb) const {
  const uint8_t count = adapterCount();
  if (srb.h.SRB_HaId >= count) return srb.h.SRB_Status = SS_INVALID_HA;
  srb.HA_Count = count;
  srb.HA_SCSI_ID = 7;
  std::memcpy(srb.HA_ManagerId, kManagerId, 16);
  std::memset(srb.HA_Identifier, ' ', 16);
  const std::string id = "SPTI " + std::to_string(srb.h.SRB_HaId);
  std::memcpy(srb.HA_Identifier, id.data(), std::min<size_t>(id.size(), 16));
  std::memset(srb.HA_Unique, 0, sizeof srb.HA_Unique);
  srb.HA_Unique[0] = 7;  // alignment mask
  srb.HA_Unique[3] = 8;  // targets
  const uint32_t maxTransfer = 0x00FF0000;
  std::memcpy(srb.HA_Unique + 4, &maxTransfer, 4);
  return srb.h.SRB_Status = SS_COMP;
}

uint32_t AspiEmulation::deviceType(SRB_GDEVBlock& srb) {
  if (find({srb.h.SRB_HaId, srb.SRB_Target, srb.SRB_Lun})) {
    srb.SRB_DeviceType = 5;
    return srb.h.SRB_Status = SS_COMP;
  }
  srb.SRB_DeviceType = 0x1F;
  return srb.h.SRB_Status = SS_NO_DEVICE;
}

uint32_t AspiEmulation::execute(SRB_ExecSCSICmd& srb) {
  Slot* slot = find({srb.h.SRB_HaId, srb.SRB_Target, srb.SRB_Lun});
  if (!slot) {
    srb.h.SRB_Status = SS_NO_DEVICE;
    signal(srb);
    return SS_NO_DEVICE;
  }
  std::memset(srb.SenseArea, 0, sizeof srb.SenseArea);
  srb.SRB_HaStat = HASTAT_OK;
  srb.SRB_TargStat = 0;
  if (srb.CDBByte[0] == 0x12) {
    // INQUIRY from what discovery kept: the drive may be busy writing.
    if (srb.SRB_BufPointer) {
      const uint32_t n = std::min<uint32_t>(srb.SRB_BufLen, slot->inquiry.size());
      std::memset(srb.SRB_BufPointer, 0, srb.SRB_BufLen);
      std::memcpy(srb.SRB_BufPointer, slot->inquiry.data(), n);
    }
    srb.h.SRB_Status = SS_COMP;
  } else if (!open(*slot)) {
    srb.h.SRB_Status = SS_NO_DEVICE;
  } else {
    uint8_t direction = SCSI_IOCTL_DATA_UNSPECIFIED;
    if (srb.h.SRB_Flags & SRB_DIR_IN) {
      direction = SCSI_IOCTL_DATA_IN;
    } else if (srb.h.SRB_Flags & SRB_DIR_OUT) {
      direction = SCSI_IOCTL_DATA_OUT;
    }
    uint8_t scsiStatus = 0;
    const uint8_t senseLength = std::min<uint8_t>(srb.SRB_SenseLen, kSenseLength);
    const uint32_t error =
        passThrough(*slot->handle, srb.CDBByte, srb.SRB_CDBLen, direction, srb.SRB_BufPointer,
                    srb.SRB_BufLen, kCommandSeconds, scsiStatus, srb.SenseArea, senseLength);
    if (error == 0 && scsiStatus == 0) {
      srb.h.SRB_Status = SS_COMP;
    } else if (error == kErrorFileNotFound || error == kErrorDevNotExist ||
               error == kErrorNoSuchDevice || error == kErrorDeviceNotConnected) {
      // The drive has gone: no sense will ever come, so say so at once.
      srb.h.SRB_Status = SS_NO_DEVICE;
      slot->handle.reset();
    } else {
      srb.h.SRB_Status = SS_ERR;
      srb.SRB_TargStat = scsiStatus;
      if (error == kErrorSemTimeout) srb.SRB_HaStat = HASTAT_TIMEOUT;
      if (error == kErrorBusReset) srb.SRB_HaStat = HASTAT_BUS_RESET;
    }
    if (closeAfterEachCommand_) slot->handle.reset();
  }
  signal(srb);
  return srb.h.SRB_Status;
}

uint32_t AspiEmulation::sendCommand(void* request) {
  auto* header = static_cast<SRB_Header*>(request);
  switch (header->SRB_Cmd) {
    case SC_HA_INQUIRY:
      return hostAdapterInquiry(*static_cast<SRB_HAInquiry*>(request));
    case SC_GET_DEV_TYPE:
      return deviceType(*static_cast<SRB_GDEVBlock*>(request));
    case SC_EXEC_SCSI_CMD:
      return execute(*static_cast<SRB_ExecSCSICmd*>(request));
    case SC_GET_DISK_INFO:
      return header->SRB_Status = SS_PENDING;
    default:
      return header->SRB_Status = SS_ERR;
  }
}

}  // namespace cdengine
