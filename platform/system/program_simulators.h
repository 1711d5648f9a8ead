#pragma once
// The built-in simulators of Windows tools: machine.ini [Programs] names one
// with "simulator NAME", and starting that program calls it with the machine
// and the whole command line. The simulators register themselves here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/machine.h"

namespace platform {

using ProgramSimulator = std::function<uint32_t(Machine& machine, const std::string& commandLine)>;

class ProgramSimulators {
 public:
  // Registers (or replaces) the simulator of that name; names without case.
  static void add(const std::string& name, ProgramSimulator simulator);
  static void remove(std::string_view name);
  // nullopt when no simulator has that name.
  static std::optional<ProgramSimulator> find(std::string_view name);
};

}  // namespace platform
