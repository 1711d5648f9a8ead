#include "tests/backup_registry/registry_machine.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/sample/sample_machine.h"
#include "platform/system/system_info.h"
#include "restore/Cabinet.h"

namespace regcap_test {

RegistryMachine::RegistryMachine(platform::WindowsVersion version, int windowsMode, int users,
                                 const std::function<void(platform::MachineConfig&)>& adjust) {
  platform::sample::SampleOptions options;
  options.users = users;
  platform::sample::createSampleMachine(dir / "machine", version, options);
  if (adjust) {
    const std::filesystem::path ini = dir / "machine" / "machine.ini";
    platform::MachineConfig config =
        platform::parseMachineConfig(testing_support::readFile(ini), dir / "machine");
    adjust(config);
    testing_support::writeFile(ini, platform::formatMachineConfig(config, dir / "machine"));
  }
  machine = platform::Machine::open(dir / "machine");
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  form = std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui},
                                            windowsMode);
  corvasta::SystemLocations& loc = form->loc;
  loc.windowsDir =
      corvasta::CheckPath(platform::ansiUpper(platform::getWindowsDirectory(*machine)));
  loc.systemDir = corvasta::CheckPath(platform::ansiUpper(platform::getSystemDirectory(*machine)));
  loc.windowsDrive = platform::ansiUpper(loc.windowsDir.substr(0, 2));
  form->GetStartup();
  form->ReadDirectories();
  form->CheckDirectories();
  if (form->isWin9xMode() && windowsMode != 1) form->ReadScanReg();
  form->createDirectories(setDir);
  form->backupRun.backupSetDir = setDir;
}

std::filesystem::path RegistryMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

bool RegistryMachine::exists(const std::string& winPath) const {
  return std::filesystem::exists(host(winPath));
}

std::string RegistryMachine::read(const std::string& winPath) const {
  return testing_support::readFile(host(winPath));
}

void RegistryMachine::write(const std::string& winPath, const std::string& bytes) const {
  testing_support::writeFile(host(winPath), bytes);
}

std::string RegistryMachine::onlyEntryOf(const std::string& archive) {
  const std::string out = "C:\\unpacked\\";
  form->createDirectories(out);
  form->Zip2.SetZipName(archive);
  form->Zip2.ReadDirectory();
  EXPECT_EQ(form->Zip2.EntryCount(), 1) << archive;
  if (form->Zip2.EntryCount() != 1) return {};
  const std::string name = form->Zip2.EntryName(0);
  form->Zip2.DestDir = out;
  form->Zip2.RecreateDirs = false;
  form->Zip2.Extract();
  form->Zip2.CloseArchive();
  const std::string bytes = read(out + name);
  files->setFileAttributes(out + name, platform::kAttributeNormal);
  files->deleteFile(out + name);
  return bytes;
}

std::string RegistryMachine::cabinetMember(const std::string& cabinet, const std::string& name) {
  const std::string out = "C:\\cabinet\\";
  form->createDirectories(out);
  corvasta::TCabinetReader reader(*files);
  reader.Extract(cabinet, out);
  const std::string bytes = read(out + name);
  std::filesystem::remove_all(host(out));
  return bytes;
}

}  // namespace regcap_test
