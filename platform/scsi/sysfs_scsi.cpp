#include "platform/scsi/sysfs_scsi.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <tuple>

namespace platform::scsi {

namespace fs = std::filesystem;

std::optional<HostScsiAddress> parseHostScsiAddress(std::string_view text) {
  unsigned values[4] = {};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  for (int i = 0; i < 4; ++i) {
    auto [next, ec] = std::from_chars(p, end, values[i]);
    if (ec != std::errc() || next == p) return std::nullopt;
    p = next;
    if (i < 3) {
      if (p == end || *p != ':') return std::nullopt;
      ++p;
    }
  }
  if (p != end) return std::nullopt;
  return HostScsiAddress{values[0], values[1], values[2], values[3]};
}

namespace {

// The H:C:T:L folder name behind a class entry's `device` link.
std::optional<HostScsiAddress> addressBehind(const fs::path& classEntry) {
  std::error_code error;
  fs::path device = classEntry / "device";
  fs::path target = fs::read_symlink(device, error);
  if (error) {
    error.clear();
    target = fs::canonical(device, error);
    if (error) return std::nullopt;
  }
  return parseHostScsiAddress(target.lexically_normal().filename().string());
}

}  // namespace

std::optional<HostScsiAddress> sysfsAddressOf(const fs::path& sysfsRoot, std::string_view node) {
  std::string name = fs::path(node).filename().string();
  if (name.rfind("sr", 0) == 0) return addressBehind(sysfsRoot / "class" / "block" / name);
  if (name.rfind("sg", 0) == 0) return addressBehind(sysfsRoot / "class" / "scsi_generic" / name);
  return std::nullopt;
}

std::vector<HostSgDevice> listSgDevices(const fs::path& sysfsRoot) {
  std::vector<HostSgDevice> devices;
  std::error_code error;
  for (fs::directory_iterator it(sysfsRoot / "class" / "scsi_generic", error), end;
       !error && it != end; it.increment(error)) {
    auto address = addressBehind(it->path());
    if (!address) continue;
    HostSgDevice device{"/dev/" + it->path().filename().string(), *address, -1};
    std::ifstream type(it->path() / "device" / "type");
    if (!(type >> device.type)) device.type = -1;
    devices.push_back(device);
  }
  std::sort(devices.begin(), devices.end(), [](const HostSgDevice& a, const HostSgDevice& b) {
    return std::tie(a.address.host, a.address.channel, a.address.target, a.address.lun) <
           std::tie(b.address.host, b.address.channel, b.address.target, b.address.lun);
  });
  return devices;
}

}  // namespace platform::scsi
