#include "tests/backup_archiving/archiving_machine.h"

#include <algorithm>

#include "app/core/MachineZipFileSystem.h"
#include "archive/ZipReader.h"
#include "platform/core/codepage.h"
#include "platform/sample/sample_machine.h"
#include "platform/system/system_info.h"

namespace archiving_test {

ArchivingMachine::ArchivingMachine(platform::WindowsVersion version, int windowsMode, int users) {
  platform::sample::SampleOptions options;
  options.users = users;
  platform::sample::createSampleMachine(dir / "machine", version, options);
  machine = platform::Machine::open(dir / "machine");
  start(windowsMode);
}

ArchivingMachine::ArchivingMachine(std::vector<testing_support::TestDrive> drives) {
  machine = testing_support::makeTestMachine(dir.path(), platform::WindowsVersion::WinMe,
                                             std::move(drives));
  start(3);
}

void ArchivingMachine::start(int windowsMode) {
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
  form = std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui},
                                            windowsMode);
  corvasta::TForm1& f = *form;
  f.core.createDirectories(corvasta::RemoveBackSl(f.core.loc.programDir));
  f.core.loc.windowsDir =
      corvasta::CheckPath(platform::ansiUpper(platform::getWindowsDirectory(*machine)));
  f.core.loc.systemDir =
      corvasta::CheckPath(platform::ansiUpper(platform::getSystemDirectory(*machine)));
  f.core.loc.windowsDrive = f.core.loc.windowsDir.substr(0, 2);
  f.core.createDirectories(corvasta::RemoveBackSl(f.core.loc.windowsDir));
  f.core.GetStartup();
  f.core.ReadDirectories();
  f.core.loc.tempDir = "C:\\CVTEMP\\";
  f.core.createDirectories("C:\\CVTEMP");
  f.core.backupRun.backupSetDir = setDir;
  f.core.createDirectories(corvasta::RemoveBackSl(setDir));
  f.core.Zip1.PackLevel = 2;
}

std::filesystem::path ArchivingMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

void ArchivingMachine::write(const std::string& winPath, const std::string& text) {
  const size_t slash = winPath.find_last_of('\\');
  if (slash > 2) form->core.createDirectories(winPath.substr(0, slash));
  platform::FileHandle out = files->createFile(winPath, platform::kGenericWrite, 0,
                                               platform::CreationDisposition::CreateAlways);
  out.write(text.data(), text.size());
  out.close();
}

std::string ArchivingMachine::read(const std::string& winPath) {
  return testing_support::readFile(host(winPath));
}

bool ArchivingMachine::exists(const std::string& winPath) {
  return files->exists(winPath);
}

std::vector<std::string> ArchivingMachine::entries(const std::string& archive) {
  corvasta::MachineZipFileSystem zipFiles(*files);
  archive::TZipReader reader(zipFiles);
  reader.SetZipName(archive);
  reader.ReadDirectory();
  std::vector<std::string> paths;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    std::string path = reader.EntryFolder(i) + reader.EntryName(i);
    std::replace(path.begin(), path.end(), '/', '\\');
    paths.push_back(platform::ansiUpper(path));
  }
  return paths;
}

void ArchivingMachine::addSettings(const std::string& text) {
  const std::string settings = form->core.settingsFile();
  const std::string present = exists(settings) ? read(settings) : std::string();
  write(settings, present + text);
}

size_t countOf(const std::vector<std::string>& entries, const std::string& path) {
  return static_cast<size_t>(std::count(entries.begin(), entries.end(), path));
}

}  // namespace archiving_test
