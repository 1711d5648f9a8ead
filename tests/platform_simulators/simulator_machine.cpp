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

void SimulatorMachine::reconfigure(const std::function<void(MachineConfig&)>& change) {
  const std::filesystem::path folder = dir_ / "machine";
  files_.reset();
  machine_.reset();
  MachineConfig config =
      parseMachineConfig(testing_support::readFile(folder / "machine.ini"), folder);
  change(config);
  testing_support::writeFile(folder / "machine.ini", formatMachineConfig(config, folder));
  machine_ = Machine::open(folder);
  files_ = std::make_unique<FileSystem>(*machine_);
}

void SimulatorMachine::leaveFree(uint64_t freeBytes) {
  constexpr uint64_t kLarge = uint64_t{1} << 40;
  auto capacity = [](uint64_t bytes) {
    return [bytes](MachineConfig& config) {
      for (DriveConfig& drive : config.drives)
        if (drive.letter == 'C') drive.capacity = bytes;
    };
  };
  reconfigure(capacity(kLarge));
  const uint64_t used = kLarge - files_->getDiskFreeSpaceEx("C:\\").totalFreeBytes;
  reconfigure(capacity(used + freeBytes));
}

void SimulatorMachine::program(const std::string& program, const std::string& action) {
  const std::filesystem::path ini = dir_ / "machine" / "machine.ini";
  files_.reset();
  machine_.reset();
  std::string text = testing_support::readFile(ini);
  const std::string key = "\n" + program + "=";
  const size_t at = text.find(key);
  if (at != std::string::npos) {
    const size_t end = text.find('\n', at + 1);
    text.replace(at, end - at, key + action);
  } else {
    const size_t section = text.find("[Programs]\n");
    text.insert(section + 11, program + "=" + action + "\n");
  }
  testing_support::writeFile(ini, text);
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
