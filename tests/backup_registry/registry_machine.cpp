#include "tests/backup_registry/registry_machine.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/sample/sample_machine.h"
#include "platform/system/system_info.h"
#include "restore/cabinet/Cabinet.h"

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
  corvasta::SystemLocations& loc = form->core.loc;
  loc.windowsDir =
      corvasta::CheckPath(platform::ansiUpper(platform::getWindowsDirectory(*machine)));
  loc.systemDir = corvasta::CheckPath(platform::ansiUpper(platform::getSystemDirectory(*machine)));
  loc.windowsDrive = platform::ansiUpper(loc.windowsDir.substr(0, 2));
  form->core.GetStartup();
  form->core.ReadDirectories();
  form->core.CheckDirectories();
  if (form->core.isWin9xMode() && windowsMode != 1) form->core.ReadScanReg();
  form->core.createDirectories(setDir);
  form->core.backupRun.backupSetDir = setDir;
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
  form->core.createDirectories(out);
  form->core.Zip2.SetZipName(archive);
  form->core.Zip2.ReadDirectory();
  EXPECT_EQ(form->core.Zip2.EntryCount(), 1) << archive;
  if (form->core.Zip2.EntryCount() != 1) return {};
  const std::string name = form->core.Zip2.EntryName(0);
  form->core.Zip2.DestDir = out;
  form->core.Zip2.RecreateDirs = false;
  form->core.Zip2.Extract();
  form->core.Zip2.CloseArchive();
  const std::string bytes = read(out + name);
  files->setFileAttributes(out + name, platform::kAttributeNormal);
  files->deleteFile(out + name);
  return bytes;
}

std::string RegistryMachine::cabinetMember(const std::string& cabinet, const std::string& name) {
  const std::string out = "C:\\cabinet\\";
  form->core.createDirectories(out);
  corvasta::TCabinetReader reader(*files);
  reader.Extract(cabinet, out);
  const std::string bytes = read(out + name);
  std::filesystem::remove_all(host(out));
  return bytes;
}

}  // namespace regcap_test
