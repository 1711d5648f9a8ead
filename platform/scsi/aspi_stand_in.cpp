#include "platform/scsi/aspi_stand_in.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/scsi/scsi_structures.h"
#include "platform/scsi/sysfs_scsi.h"

namespace platform::scsi {
namespace {

constexpr uint32_t kMaxTransfer = 0x00020000;
constexpr uint32_t kTimeoutMs = 120000;

void putText(uint8_t* field, const char* text) {
  std::memset(field, ' ', 16);
  std::memcpy(field, text, std::min<size_t>(std::strlen(text), 16));
}

class StandIn {
 public:
  StandIn(const std::filesystem::path& sysfsRoot, SgIoHost calls) : calls_(std::move(calls)) {
    for (const HostSgDevice& device : listSgDevices(sysfsRoot))
      if (device.type == 5 && device.address.host < 256 && device.address.target < 256 &&
          device.address.lun < 256)
        devices_.push_back(device);
  }

  uint32_t supportInfo() const {
    uint8_t count = adapterCount();
    return count ? (uint32_t(SS_COMP) << 8) | count : uint32_t(SS_NO_ADAPTERS) << 8;
  }

  uint32_t send(void* srb) {
    if (!srb) return SS_INVALID_SRB;
    auto* header = static_cast<SRB_Header*>(srb);
    switch (header->SRB_Cmd) {
      case SC_HA_INQUIRY:
        return haInquiry(*static_cast<SRB_HAInquiry*>(srb));
      case SC_GET_DEV_TYPE:
        return deviceType(*static_cast<SRB_GDEVBlock*>(srb));
      case SC_EXEC_SCSI_CMD:
        return execute(*static_cast<SRB_ExecSCSICmd*>(srb));
      case SC_ABORT_SRB:
      case SC_RESET_DEV:
        return header->SRB_Status = SS_COMP;  // nothing is ever pending
      default:
        return header->SRB_Status = SS_INVALID_CMD;
    }
  }

 private:
  uint8_t adapterCount() const {
    unsigned highest = 0;
    for (const HostSgDevice& device : devices_)
      highest = std::max(highest, device.address.host + 1);
    return uint8_t(std::min(highest, 255u));
  }

  const HostSgDevice* find(uint8_t adapter, uint8_t target, uint8_t lun) const {
    for (const HostSgDevice& device : devices_)
      if (device.address.host == adapter && device.address.target == target &&
          device.address.lun == lun)
        return &device;
    return nullptr;
  }

  uint32_t haInquiry(SRB_HAInquiry& srb) const {
    if (srb.h.SRB_HaId >= adapterCount()) return srb.h.SRB_Status = SS_INVALID_HA;
    srb.HA_Count = adapterCount();
    srb.HA_SCSI_ID = 7;
    putText(srb.HA_ManagerId, "ASPI for WIN32");
    std::string name = "SG_IO host " + std::to_string(srb.h.SRB_HaId);
    putText(srb.HA_Identifier, name.c_str());
    std::memset(srb.HA_Unique, 0, sizeof srb.HA_Unique);
    srb.HA_Unique[3] = 8;  // targets
    for (int i = 0; i < 4; ++i) srb.HA_Unique[4 + i] = uint8_t(kMaxTransfer >> (8 * i));
    return srb.h.SRB_Status = SS_COMP;
  }

  uint32_t deviceType(SRB_GDEVBlock& srb) const {
    if (!find(srb.h.SRB_HaId, srb.SRB_Target, srb.SRB_Lun)) {
      srb.SRB_DeviceType = 0x1F;
      return srb.h.SRB_Status = SS_NO_DEVICE;
    }
    srb.SRB_DeviceType = 5;
    return srb.h.SRB_Status = SS_COMP;
  }

  uint32_t execute(SRB_ExecSCSICmd& srb) {
    uint8_t status = run(srb);
    srb.h.SRB_Status = status;
    if ((srb.h.SRB_Flags & SRB_EVENT_NOTIFY) && srb.SRB_PostProc)
      static_cast<Event*>(srb.SRB_PostProc)->set();
    return status;
  }

  uint8_t run(SRB_ExecSCSICmd& srb) {
    srb.SRB_HaStat = HASTAT_OK;
    srb.SRB_TargStat = 0;
    const HostSgDevice* device = find(srb.h.SRB_HaId, srb.SRB_Target, srb.SRB_Lun);
    if (!device) return SS_NO_DEVICE;
    if (srb.SRB_CDBLen == 0 || srb.SRB_CDBLen > 16 || (srb.SRB_BufLen && !srb.SRB_BufPointer))
      return SS_INVALID_SRB;
    if (srb.SRB_BufLen > kMaxTransfer) return SS_BUFFER_TO_BIG;
    ScsiCommand command;
    command.cdb = srb.CDBByte;
    command.cdbLength = srb.SRB_CDBLen;
    command.direction = (srb.h.SRB_Flags & SRB_DIR_IN)    ? DataDirection::In
                        : (srb.h.SRB_Flags & SRB_DIR_OUT) ? DataDirection::Out
                                                          : DataDirection::None;
    if (srb.SRB_BufLen == 0) command.direction = DataDirection::None;
    command.data = srb.SRB_BufPointer;
    command.length = srb.SRB_BufLen;
    command.timeoutMs = kTimeoutMs;
    std::lock_guard<std::mutex> hold(lock_);
    int hostErrno = 0;
    auto target = SgIoDevice::open(device->node, true, calls_, hostErrno);
    if (!target) return SS_NO_DEVICE;
    ScsiOutcome outcome = target->execute(command);
    switch (outcome.transport) {
      case ScsiOutcome::Transport::Done:
        break;
      case ScsiOutcome::Transport::NoDevice:
        return SS_NO_DEVICE;
      case ScsiOutcome::Transport::Timeout:
        srb.SRB_HaStat = HASTAT_TIMEOUT;
        return SS_ERR;
      case ScsiOutcome::Transport::BusReset:
        srb.SRB_HaStat = HASTAT_BUS_RESET;
        return SS_ERR;
      case ScsiOutcome::Transport::Failed:
        srb.SRB_HaStat = HASTAT_SEL_TO;
        return SS_ERR;
    }
    srb.SRB_TargStat = outcome.status;
    if (outcome.status == kStatusGood) return SS_COMP;
    size_t copied = std::min<size_t>({srb.SRB_SenseLen, outcome.senseLength, sizeof srb.SenseArea});
    std::memcpy(srb.SenseArea, outcome.sense.data(), copied);
    return SS_ERR;
  }

  SgIoHost calls_;
  std::vector<HostSgDevice> devices_;
  std::mutex lock_;
};

}  // namespace

AspiDriver makeAspiStandIn(const std::filesystem::path& sysfsRoot, SgIoHost calls) {
  auto standIn = std::make_shared<StandIn>(sysfsRoot, std::move(calls));
  return {[standIn] { return standIn->supportInfo(); },
          [standIn](void* srb) { return standIn->send(srb); }};
}

}  // namespace platform::scsi
