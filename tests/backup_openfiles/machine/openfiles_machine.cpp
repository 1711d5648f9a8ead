#include "tests/backup_openfiles/machine/openfiles_machine.h"

#include <sstream>

#include "platform/boot/next_start.h"
#include "platform/core/machine_config.h"
#include "platform/profile/private_profile.h"
#include "platform/sample/sample_machine.h"
#include "platform/system/command_line.h"

namespace openfiles_test {

OpenFilesMachine::OpenFilesMachine(platform::WindowsVersion version, int windowsMode,
                                   const std::vector<std::string>& held)
    : folder(dir / "machine"), version(version), windowsMode(windowsMode) {
  platform::sample::createSampleMachine(folder, version);
  setHeldFiles(held);
  startProgram();
  files->createDirectory("C:\\Data");
  write(kLetter, kLetterText);
  write(kNotes, "Notes beside the letter.");
}

void OpenFilesMachine::setHeldFiles(const std::vector<std::string>& held) {
  const std::filesystem::path ini = folder / "machine.ini";
  platform::MachineConfig config =
      platform::parseMachineConfig(testing_support::readFile(ini), folder);
  config.openFiles = held;
  testing_support::writeFile(ini, platform::formatMachineConfig(config, folder));
}

void OpenFilesMachine::startProgram() {
  form.reset();
  registry.reset();
  files.reset();
  machine = platform::Machine::open(folder);
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  form = std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui},
                                            windowsMode);
  form->RunEntrySequence({});
  form->core.ReadDirectories();
  form->core.Form8.config.copyOpenFiles = true;
}

void OpenFilesMachine::restartWindows(const std::vector<std::string>& stillHeld,
                                      const std::filesystem::path& program) {
  form.reset();
  registry.reset();
  files.reset();
  machine.reset();
  // Before Windows runs nothing holds the files (the MS-DOS phase of the
  // boot step would otherwise see them held).
  setHeldFiles({});
  {
    std::unique_ptr<platform::Machine> booting = platform::Machine::open(folder);
    std::ostringstream log;
    platform::boot::startWindows(*booting, log, {program});
    bootLog = log.str();
  }
  setHeldFiles(stillHeld);
  startProgram();
}

void OpenFilesMachine::runShortcut(const std::string& linkFile) {
  const std::vector<std::string> params =
      platform::splitArguments(form->core.CheckParameters(linkFile));
  startProgram();
  form->RunEntrySequence(params);
}

std::filesystem::path OpenFilesMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

bool OpenFilesMachine::exists(const std::string& winPath) const {
  return std::filesystem::exists(host(winPath));
}

std::string OpenFilesMachine::read(const std::string& winPath) const {
  return testing_support::readFile(host(winPath));
}

void OpenFilesMachine::write(const std::string& winPath, const std::string& text) const {
  testing_support::writeFile(host(winPath), text);
}

std::string OpenFilesMachine::job(int number, const std::string& key) const {
  return platform::getPrivateProfileString(*machine, "OpenFN" + std::to_string(number), key, "@",
                                           form->core.loc.programDir + "Temp\\OpenFN.ini");
}

std::vector<std::string> entryNames(corvasta::TForm1& form, const std::string& archive) {
  form.core.Zip2.SetZipName(archive);
  form.core.Zip2.ReadDirectory();
  std::vector<std::string> names;
  for (int i = 0; i < form.core.Zip2.EntryCount(); ++i)
    names.push_back(form.core.Zip2.EntryFolder(i) + form.core.Zip2.EntryName(i));
  form.core.Zip2.CloseArchive();
  return names;
}

}  // namespace openfiles_test
