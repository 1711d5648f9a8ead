#pragma once
// What the CD engine reaches of the machine's CD and DVD drives, shaped as the
// Windows calls it makes: CreateFile of a device path "\\.\X:" and
// DeviceIoControl on the handle (IOCTL_SCSI_PASS_THROUGH_DIRECT,
// IOCTL_SCSI_GET_ADDRESS), and loading an ASPI driver DLL with its two entry
// points. Behind them sit the host's SG_IO devices and the simulated writer,
// as machine.ini's `Device=` of each cdrom drive says.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/scsi/sg_io_device.h"

namespace platform {
class Clock;
class Machine;
}  // namespace platform

namespace platform::scsi {

// Windows error codes the handles give.
constexpr uint32_t ERROR_INVALID_FUNCTION = 1;
constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr uint32_t ERROR_ACCESS_DENIED = 5;
constexpr uint32_t ERROR_NOT_READY = 21;
constexpr uint32_t ERROR_DEV_NOT_EXIST = 55;
constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr uint32_t ERROR_SEM_TIMEOUT = 121;
constexpr uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr uint32_t ERROR_BUS_RESET = 1111;
constexpr uint32_t ERROR_IO_DEVICE = 1117;

// A manual-reset event, as CreateEvent(NULL, TRUE, FALSE, NULL) gives: an
// ASPI request with SRB_EVENT_NOTIFY names one in SRB_PostProc and the driver
// sets it when the request completes.
class Event {
 public:
  virtual ~Event() = default;
  virtual void set() = 0;
  virtual void reset() = 0;
  // True when set within `ms` milliseconds of the engine's clock.
  virtual bool wait(uint64_t ms) = 0;
};

// A new event, not set, whose waits run on `clock`.
std::unique_ptr<Event> createEvent(Clock& clock);

// An open device handle.
class DeviceHandle {
 public:
  virtual ~DeviceHandle() = default;
  // DeviceIoControl: true on success with `returned` bytes of output; false
  // with `error` a Windows error code (ERROR_INVALID_FUNCTION,
  // ERROR_NOT_READY, ERROR_SEM_TIMEOUT, ERROR_DEV_NOT_EXIST, ...).
  virtual bool ioControl(uint32_t code, void* in, uint32_t inSize, void* out, uint32_t outSize,
                         uint32_t& returned, uint32_t& error) = 0;
};

// An ASPI driver's two entry points, as GetProcAddress gives them.
struct AspiDriver {
  std::function<uint32_t()> getSupportInfo;        // GetASPI32SupportInfo
  std::function<uint32_t(void* srb)> sendCommand;  // SendASPI32Command
};

// How the engine reaches drives. The machine's answers come from
// machineDeviceAccess(); tests put in their own.
struct DeviceAccess {
  // GetDriveType of a root "E:\" (5 for a CD-ROM drive).
  std::function<unsigned(std::string_view root)> driveType;
  // CreateFile of "\\.\E:"; nullptr with `error` set when it cannot be opened.
  std::function<std::unique_ptr<DeviceHandle>(std::string_view path, bool readWrite,
                                              uint32_t& error)>
      openDevice;
  // LoadLibrary of an ASPI driver by a Windows path or a bare name;
  // nullopt when there is none.
  std::function<std::optional<AspiDriver>(std::string_view path)> loadAspiDriver;
};

// The machine's drives (the machine must outlive the result): each cdrom
// drive with a Device= opens as "\\.\X:"; a simulated one keeps its state
// (write parameters, a blank in progress, the track being written) in the
// result for as long as it lives. A pass-through command the device never
// answers in time fails with ERROR_SEM_TIMEOUT, one lost to a bus reset with
// ERROR_BUS_RESET, one to a vanished device with ERROR_DEV_NOT_EXIST.
DeviceAccess machineDeviceAccess(const Machine& machine);

// Where the host's SCSI devices are found: the sysfs root and the calls that
// open and drive a node. Tests put in a fake tree and a fake ioctl.
struct HostScsi {
  std::filesystem::path sysfsRoot = "/sys";
  SgIoHost calls = realSgIoHost();
};

// The same with the clock the simulated drives time their blanking on, and
// the host's SCSI devices as given.
DeviceAccess machineDeviceAccess(const Machine& machine, Clock& clock, HostScsi host = {});

}  // namespace platform::scsi
