#include "tests/platform_simulators/simulator_machine.h"

#include <gtest/gtest.h>

#include "platform/cabinet/cabinet_read.h"
#include "platform/core/codepage.h"
#include "platform/sample/sample_machine.h"
#include "platform/simulators/windows_tools.h"
#include "platform/system/journal.h"

namespace simulators_test {

using namespace platform;

SimulatorMachine::SimulatorMachine(WindowsVersion version) {
  registerWindowsToolSimulators();
  sample::createSampleMachine(dir_ / "machine", version);
  machine_ = Machine::open(dir_ / "machine");
  files_ = std::make_unique<FileSystem>(*machine_);
}

uint32_t SimulatorMachine::run(const std::string& commandLine) {
  ProcessResult result = createProcess(*machine_, commandLine);
  EXPECT_TRUE(result.started()) << commandLine;
  return result.exitCode;
}

std::filesystem::path SimulatorMachine::host(const std::string& path) const {
  return machine_->resolve(path).host;
}

std::string SimulatorMachine::read(const std::string& path) const {
  return testing_support::readFile(host(path));
}

void SimulatorMachine::write(const std::string& path, const std::string& bytes) {
  testing_support::writeFile(host(path), bytes);
}

bool SimulatorMachine::journalled(const std::string& kind, const std::string& text) const {
  for (const JournalEntry& entry : readJournal(*machine_))
    if (entry.kind == kind && entry.details.find(text) != std::string::npos) return true;
  return false;
}

std::string cabinetMember(SimulatorMachine& machine, const std::string& cabinet,
                          const std::string& name) {
  const std::string bytes = readMachineFile(machine.files(), cabinet);
  CabinetArchive archive(machine.files(), bytes);
  for (size_t index = 0; index < archive.entries().size(); ++index) {
    if (!ansiEqualNoCase(archive.entries()[index].name, name)) continue;
    archive.extract(index, "C:\\CHECK.TMP");
    std::string content = machine.read("C:\\CHECK.TMP");
    machine.files().deleteFile("C:\\CHECK.TMP");
    return content;
  }
  return {};
}

}  // namespace simulators_test
