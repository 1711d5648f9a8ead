// The machine's CD drives as the engine reaches them: "\\.\X:" device paths
// of its cdrom drives (simulated, or a host SG_IO node by Device=), and the
// ASPI driver stand-in where the machine has a WNASPI32.DLL.
#include <cctype>
#include <cerrno>
#include <map>
#include <mutex>

#include "platform/core/clock.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/scsi/aspi_stand_in.h"
#include "platform/scsi/device_io.h"
#include "platform/scsi/pass_through_handle.h"
#include "platform/scsi/simulated_writer.h"
#include "platform/scsi/sysfs_scsi.h"

namespace platform::scsi {
namespace {

// "\\.\E:" (any case) as its upper-case letter; 0 for anything else.
char deviceLetter(std::string_view path) {
  if (path.size() != 6 || path.substr(0, 4) != "\\\\.\\" || path[5] != ':') return 0;
  if (!std::isalpha(static_cast<unsigned char>(path[4]))) return 0;
  return static_cast<char>(std::toupper(static_cast<unsigned char>(path[4])));
}

class MachineDrives {
 public:
  MachineDrives(const Machine& machine, Clock& clock, HostScsi host)
      : machine_(machine), clock_(clock), host_(std::move(host)) {}

  std::unique_ptr<DeviceHandle> open(std::string_view path, bool readWrite, uint32_t& error) {
    char letter = deviceLetter(path);
    Drive* drive = letter ? machine_.drive(letter) : nullptr;
    if (!drive || drive->type() != DriveType::CdRom) {
      error = ERROR_FILE_NOT_FOUND;
      return nullptr;
    }
    const CdromConfig& config = drive->config().cdrom;
    error = 0;
    if (!config.hasDevice())
      return std::make_unique<PassThroughHandle>(nullptr, std::nullopt, readWrite);
    if (config.simulated()) {
      SCSI_ADDRESS address;
      address.PortNumber = config.port;
      address.TargetId = config.target;
      address.Lun = config.lun;
      return std::make_unique<PassThroughHandle>(simulated(*drive), address, readWrite);
    }
    return openHost(config.device, readWrite, error);
  }

  std::optional<AspiDriver> loadAspi(std::string_view path) const {
    std::string name(path);
    size_t slash = name.find_last_of("\\/:");
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (!ansiEqualNoCase(base, "WNASPI32.DLL")) return std::nullopt;
    // A bare name or ".\" is looked for in the program's folder.
    bool bare = slash == std::string::npos || name.rfind(".\\", 0) == 0;
    std::string where = bare ? machine_.config().programDirectory + "\\" + base : name;
    try {
      if (!machine_.resolve(where).exists) return std::nullopt;
    } catch (const corvasta::Error&) {
      return std::nullopt;
    }
    return makeAspiStandIn(host_.sysfsRoot, host_.calls);
  }

 private:
  std::shared_ptr<SharedTarget> simulated(const Drive& drive) {
    std::lock_guard<std::mutex> hold(lock_);
    auto& slot = writers_[drive.letter()];
    if (!slot) {
      const Drive* d = &drive;
      auto locate = [d]() -> std::optional<std::filesystem::path> {
        std::string medium = d->insertedMedium();
        if (medium.empty()) return std::nullopt;
        return d->config().folder / medium;
      };
      slot = std::make_shared<SharedTarget>(
          std::make_unique<SimulatedWriter>(drive.config().cdrom, locate, clock_));
    }
    return slot;
  }

  std::unique_ptr<DeviceHandle> openHost(const std::string& node, bool readWrite,
                                         uint32_t& error) const {
    int hostErrno = 0;
    auto device = SgIoDevice::open(node, readWrite, host_.calls, hostErrno);
    if (!device) {
      error = hostErrno == EACCES || hostErrno == EPERM || hostErrno == EROFS ? ERROR_ACCESS_DENIED
              : hostErrno == ENODEV || hostErrno == ENXIO                     ? ERROR_DEV_NOT_EXIST
                                                          : ERROR_FILE_NOT_FOUND;
      return nullptr;
    }
    std::optional<SCSI_ADDRESS> address;
    if (auto found = sysfsAddressOf(host_.sysfsRoot, node); found && found->host < 256) {
      SCSI_ADDRESS a;
      a.PortNumber = uint8_t(found->host);
      a.PathId = uint8_t(found->channel);
      a.TargetId = uint8_t(found->target);
      a.Lun = uint8_t(found->lun);
      address = a;
    }
    return std::make_unique<PassThroughHandle>(std::make_shared<SharedTarget>(std::move(device)),
                                               address, readWrite);
  }

  const Machine& machine_;
  Clock& clock_;
  HostScsi host_;
  std::mutex lock_;
  std::map<char, std::shared_ptr<SharedTarget>> writers_;
};

}  // namespace

DeviceAccess machineDeviceAccess(const Machine& machine, Clock& clock, HostScsi host) {
  auto drives = std::make_shared<MachineDrives>(machine, clock, std::move(host));
  DeviceAccess access;
  access.driveType = [&machine](std::string_view root) {
    return static_cast<unsigned>(machine.driveType(root));
  };
  access.openDevice = [drives](std::string_view path, bool readWrite, uint32_t& error) {
    return drives->open(path, readWrite, error);
  };
  access.loadAspiDriver = [drives](std::string_view path) { return drives->loadAspi(path); };
  return access;
}

DeviceAccess machineDeviceAccess(const Machine& machine) {
  return machineDeviceAccess(machine, systemClock());
}

}  // namespace platform::scsi
