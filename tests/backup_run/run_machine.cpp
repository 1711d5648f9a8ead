#include "tests/backup_run/run_machine.h"

#include <algorithm>

#include "backup/model/WinFiles.h"
#include "platform/profile/private_profile.h"
#include "platform/sample/sample_machine.h"
#include "tests/ui_support/form_machine.h"

namespace backup_test {

int DiskSwappingUi::messageBox(const std::string& text, const std::string& caption,
                               corvasta::Buttons buttons, corvasta::Icon icon) {
  const bool diskPrompt =
      text.find("insert") != std::string::npos || text.find("Insert") != std::string::npos;
  const int answer = ScriptedUi::messageBox(text, caption, buttons, icon);
  if (diskPrompt) {
    diskPrompts.push_back(text);
    const bool goOn =
        answer == corvasta::IDOK || answer == corvasta::IDRETRY || answer == corvasta::IDIGNORE;
    if (goOn && diskDrive != nullptr && !nextMedia.empty()) {
      diskDrive->insert(nextMedia.front());
      nextMedia.erase(nextMedia.begin());
    }
  }
  return answer;
}

RunMachine::RunMachine(platform::WindowsVersion version, int windowsMode) {
  platform::sample::createSampleMachine(dir / "machine", version);
  machine = platform::Machine::open(dir / "machine");
  open();
  form = std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui},
                                            windowsMode);
  setToday(2004, 5, 3);
}

RunMachine::RunMachine(Small, std::vector<testing_support::TestDrive> drives) {
  drives.insert(drives.begin(), testing_support::TestDrive{});
  machine = testing_support::makeTestMachine(dir.path(), platform::WindowsVersion::WinMe, drives);
  open();
  form =
      std::make_unique<corvasta::TForm1>(corvasta::Environment{*machine, *files, *registry, ui}, 3);
  setToday(2004, 5, 3);
  for (const char* folder : {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\Program Files",
                             "C:\\Program Files\\Corvasta", "C:\\TEMP"})
    if (!files->directoryExists(folder)) files->createDirectory(folder);
}

void RunMachine::open() {
  files = std::make_unique<platform::FileSystem>(*machine);
  registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
}

void RunMachine::start(const std::vector<std::string>& params) {
  if (!form->RunEntrySequence(params)) return;
  form->FormShow();
}

std::filesystem::path RunMachine::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

bool RunMachine::exists(const std::string& winPath) const {
  return files->exists(winPath);
}

void RunMachine::write(const std::string& winPath, const std::string& text) const {
  platform::FileHandle file = files->createFile(winPath, platform::kGenericWrite, 0,
                                                platform::CreationDisposition::CreateAlways);
  file.write(text.data(), text.size());
  file.close();
}

std::string RunMachine::read(const std::string& winPath) const {
  return testing_support::readFile(host(winPath));
}

std::string RunMachine::setting(const std::string& section, const std::string& key) const {
  return ui_test::formSetting(*form, section, key);
}

void RunMachine::setSetting(const std::string& section, const std::string& key,
                            const std::string& value) {
  ui_test::setFormSetting(*form, section, key, value);
}

void RunMachine::setToday(int year, int month, int day) {
  ui_test::setFormToday(*form, year, month, day);
}

std::vector<std::string> RunMachine::list(const std::string& winFolder) const {
  std::vector<std::string> names;
  for (const platform::FindData& entry : files->findAll(corvasta::CheckPath(winFolder) + "*.*"))
    if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

void RunMachine::writeConfig(int n, const std::string& target, int compress, int backupType,
                             const std::vector<size_t>& items) {
  const std::string section = "BackupPreferences" + std::to_string(n);
  setSetting(section, "Target", target);
  setSetting(section, "Compress", std::to_string(compress));
  setSetting(section, "BackupType", std::to_string(backupType));
  setSetting(section, "NewBackupType", "1");
  const size_t count = corvasta::winFilesCount(form->core.WindowsMode);
  for (size_t item = 0; item < count; ++item)
    setSetting("Checks" + std::to_string(n), std::to_string(item),
               std::find(items.begin(), items.end(), item) != items.end() ? "1" : "0");
}

void RunMachine::selectItems(const std::vector<size_t>& items) {
  corvasta::BackupConfigRecord& config = form->core.Form8.config;
  config.winFilesChecks.assign(corvasta::winFilesCount(form->core.WindowsMode), 0);
  for (size_t item : items) config.winFilesChecks[item] = 1;
  config.otherFilesChecks.assign(config.otherFilesChecks.size(), 0);
}

}  // namespace backup_test
