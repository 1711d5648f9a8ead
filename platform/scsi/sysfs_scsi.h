#pragma once
// The host's SCSI devices as sysfs shows them: the H:C:T:L address of a node
// (/dev/srN under class/block, /dev/sgN under class/scsi_generic, each with a
// `device` link to its H:C:T:L folder) and the peripheral type in that
// folder's `type` file. The root is a parameter so tests use a fake tree.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::scsi {

struct HostScsiAddress {
  unsigned host = 0;
  unsigned channel = 0;
  unsigned target = 0;
  unsigned lun = 0;
  bool operator==(const HostScsiAddress&) const = default;
};

// "2:0:1:0" as an address; nullopt for anything else.
std::optional<HostScsiAddress> parseHostScsiAddress(std::string_view text);

// The address of "/dev/sr0" or "/dev/sg3" below `sysfsRoot` (normally /sys).
std::optional<HostScsiAddress> sysfsAddressOf(const std::filesystem::path& sysfsRoot,
                                              std::string_view node);

struct HostSgDevice {
  std::string node;  // "/dev/sg1"
  HostScsiAddress address;
  int type = -1;  // SCSI peripheral type; 5 for CD/DVD
};

// Every class/scsi_generic entry, ordered by address.
std::vector<HostSgDevice> listSgDevices(const std::filesystem::path& sysfsRoot);

}  // namespace platform::scsi
