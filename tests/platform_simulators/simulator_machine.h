#pragma once
// A sample machine with the Windows tool simulators registered, and what the
// tests ask of it.

#include <functional>
#include <memory>
#include <string>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/system/process_start.h"
#include "tests/support/temp_dir.h"

namespace simulators_test {

class SimulatorMachine {
 public:
  explicit SimulatorMachine(platform::WindowsVersion version);

  platform::Machine& machine() { return *machine_; }
  platform::FileSystem& files() { return *files_; }
  const std::string& windows() const { return machine_->config().windowsDirectory; }

  // Changes machine.ini and opens the machine again.
  void reconfigure(const std::function<void(platform::MachineConfig&)>& change);
  // Gives drive C a capacity that leaves `freeBytes` free.
  void leaveFree(uint64_t freeBytes);
  // Sets the [Programs] line of `program` ("regedit.exe").
  void program(const std::string& program, const std::string& action);

  // Starts a command line on the machine; the program must exist.
  uint32_t run(const std::string& commandLine);
  std::filesystem::path host(const std::string& path) const;
  std::string read(const std::string& path) const;
  void write(const std::string& path, const std::string& bytes);
  // True when a journal line of `kind` contains `text`.
  bool journalled(const std::string& kind, const std::string& text) const;

 private:
  testing_support::TempDir dir_;
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::FileSystem> files_;
};

// The bytes of member `name` of a cabinet on the machine, extracted into
// C:\CHECK.TMP; empty when the cabinet has no such member.
std::string cabinetMember(SimulatorMachine& machine, const std::string& cabinet,
                          const std::string& name);

}  // namespace simulators_test
