#include "platform/boot/ms_dos_mode.h"

#include <algorithm>
#include <vector>

namespace platform::boot {
namespace {

// The machines of this process now in their MS-DOS phase. The phase runs on
// the thread that boots the machine, as the programs it starts do.
std::vector<const Machine*>& machinesInMsDosMode() {
  static std::vector<const Machine*> machines;
  return machines;
}

}  // namespace

bool inMsDosMode(const Machine& machine) {
  const auto& machines = machinesInMsDosMode();
  return std::find(machines.begin(), machines.end(), &machine) != machines.end();
}

MsDosMode::MsDosMode(const Machine& machine) : machine_(machine) {
  machinesInMsDosMode().push_back(&machine_);
}

MsDosMode::~MsDosMode() {
  auto& machines = machinesInMsDosMode();
  auto it = std::find(machines.begin(), machines.end(), &machine_);
  if (it != machines.end()) machines.erase(it);
}

}  // namespace platform::boot
