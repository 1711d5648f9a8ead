#include "platform/system/program_simulators.h"

#include <map>
#include <mutex>

#include "platform/core/codepage.h"

namespace platform {

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, ProgramSimulator, AnsiLessNoCase> simulators;
};

// Simulators register from anywhere, also during static initialisation, so the
// table is made on first use.
Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

void ProgramSimulators::add(const std::string& name, ProgramSimulator simulator) {
  std::lock_guard lock(registry().mutex);
  registry().simulators.insert_or_assign(name, std::move(simulator));
}

void ProgramSimulators::remove(std::string_view name) {
  std::lock_guard lock(registry().mutex);
  auto it = registry().simulators.find(name);
  if (it != registry().simulators.end()) registry().simulators.erase(it);
}

std::optional<ProgramSimulator> ProgramSimulators::find(std::string_view name) {
  std::lock_guard lock(registry().mutex);
  auto it = registry().simulators.find(name);
  if (it == registry().simulators.end()) return std::nullopt;
  return it->second;
}

}  // namespace platform
