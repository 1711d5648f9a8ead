#include "tests/support/machine_builder.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/files/file_system.h"
#include "platform/profile/private_profile.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/machine_registry_files.h"
#include "tests/support/registry_values.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

namespace fs = std::filesystem;

platform::SystemTime clockTime(int year, int month, int day, int hour) {
  platform::SystemTime time;
  time.year = year;
  time.month = month;
  time.day = day;
  time.hour = hour;
  return time;
}

MachineBuilder::MachineBuilder(platform::WindowsVersion version) : version_(version) {
  drives_.push_back(Drive{});
  today(2004, 5, 3);
}

MachineBuilder MachineBuilder::sample(platform::WindowsVersion version, int users) {
  MachineBuilder builder(version);
  builder.base_ = Base::Sample;
  builder.sampleUsers_ = users;
  builder.drives_.clear();  // the sample brings its own
  return builder;
}

MachineBuilder MachineBuilder::existing(const fs::path& folder) {
  MachineBuilder builder;
  builder.base_ = Base::Existing;
  builder.existing_ = folder;
  builder.drives_.clear();
  return builder;
}

MachineBuilder& MachineBuilder::addDrive(Drive drive) {
  drive.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive.letter)));
  std::erase_if(drives_, [&](const Drive& d) { return d.letter == drive.letter; });
  drives_.push_back(std::move(drive));
  return *this;
}

MachineBuilder& MachineBuilder::fixedDrive(char letter, std::optional<uint64_t> capacity) {
  return addDrive({letter, platform::DriveType::Fixed, capacity, {}});
}

MachineBuilder& MachineBuilder::removableDrive(char letter, std::vector<std::string> media,
                                               std::optional<uint64_t> capacity) {
  return addDrive({letter, platform::DriveType::Removable, capacity, std::move(media)});
}

MachineBuilder& MachineBuilder::cdromDrive(char letter, std::vector<std::string> media) {
  return addDrive({letter, platform::DriveType::CdRom, std::nullopt, std::move(media)});
}

MachineBuilder& MachineBuilder::userName(const std::string& name) {
  return configure([name](platform::MachineConfig& config) { config.userName = name; });
}

MachineBuilder& MachineBuilder::userProfile(const std::string& name) {
  userProfile_ = name;
  return userName(name);
}

MachineBuilder& MachineBuilder::environment(const std::string& name, const std::string& value) {
  return configure(
      [name, value](platform::MachineConfig& config) { config.environment[name] = value; });
}

MachineBuilder& MachineBuilder::heldOpen(const std::string& winPath) {
  return configure(
      [winPath](platform::MachineConfig& config) { config.openFiles.push_back(winPath); });
}

MachineBuilder& MachineBuilder::configure(std::function<void(platform::MachineConfig&)> change) {
  changes_.push_back(std::move(change));
  return *this;
}

MachineBuilder& MachineBuilder::folder(const std::string& winPath) {
  folders_.push_back(winPath);
  return *this;
}

MachineBuilder& MachineBuilder::file(const std::string& winPath, const std::string& bytes) {
  files_.push_back({winPath, bytes});
  return *this;
}

MachineBuilder& MachineBuilder::fileOfSize(const std::string& winPath, size_t size) {
  return file(winPath, std::string(size, 'r'));
}

MachineBuilder& MachineBuilder::installationFolders() {
  installationFolders_ = true;
  return *this;
}

MachineBuilder& MachineBuilder::setting(const std::string& section, const std::string& key,
                                        const std::string& value) {
  settings_.push_back({section, key, value});
  return *this;
}

MachineBuilder& MachineBuilder::registryString(platform::HKEY root, const std::string& key,
                                               const std::string& name, const std::string& value) {
  registry_.push_back({root, key, name, value});
  return *this;
}

MachineBuilder& MachineBuilder::today(int year, int month, int day, int hour) {
  program_.today = clockTime(year, month, day, hour);
  return *this;
}

MachineBuilder& MachineBuilder::windowsMode(int mode) {
  program_.windowsMode = mode;
  return *this;
}

MachineBuilder& MachineBuilder::backupSet(const std::string& setDir) {
  program_.backupSet = setDir;
  return *this;
}

MachineBuilder& MachineBuilder::packLevel(int level) {
  program_.packLevel = level;
  return *this;
}

MachineBuilder& MachineBuilder::openFileBackup() {
  program_.openFileBackup = true;
  return *this;
}

namespace {

std::string defaultWindowsDirectory(platform::WindowsVersion version) {
  const bool ntDirectory = platform::isNt(version) && version != platform::WindowsVersion::WinXp;
  return ntDirectory ? "C:\\WINNT" : "C:\\WINDOWS";
}

platform::DriveConfig driveConfig(const fs::path& machineFolder, char letter,
                                  platform::DriveType type, std::optional<uint64_t> capacity,
                                  const std::vector<std::string>& media) {
  platform::DriveConfig d;
  d.letter = letter;
  d.type = type;
  d.folder = machineFolder / "drives" / std::string(1, letter);
  d.capacity = capacity;
  d.clusterSize = capacity && *capacity <= 2949120 ? 512 : 4096;
  d.fileSystem = type == platform::DriveType::CdRom ? "CDFS" : "FAT32";
  d.serial = 0x12340000u + static_cast<unsigned char>(letter);
  d.media = media;
  d.inserted = media.empty() ? "" : media.front();
  if (media.empty()) fs::create_directories(d.folder);
  for (const std::string& medium : media) fs::create_directories(d.folder / medium);
  return d;
}

}  // namespace

platform::MachineConfig MachineBuilder::smallConfig() const {
  platform::MachineConfig config;
  config.version = version_;
  config.windowsDirectory = defaultWindowsDirectory(version_);
  config.systemDirectory =
      config.windowsDirectory + (platform::isNt(version_) ? "\\system32" : "\\SYSTEM");
  config.programDirectory = "C:\\Program Files\\Corvasta";
  config.privileges = {"SeBackupPrivilege", "SeRestorePrivilege", "SeShutdownPrivilege"};
  return config;
}

void MachineBuilder::writeConfig(const fs::path& folder) const {
  platform::MachineConfig config;
  if (base_ == Base::Small) {
    config = smallConfig();
  } else {
    if (base_ == Base::Sample) {
      platform::sample::SampleOptions options;
      options.users = sampleUsers_;
      platform::sample::createSampleMachine(folder, version_, options);
    }
    if (drives_.empty() && changes_.empty()) return;
    config = platform::parseMachineConfig(readFile(folder / "machine.ini"), folder);
  }
  for (const Drive& drive : drives_) {
    std::erase_if(config.drives,
                  [&](const platform::DriveConfig& d) { return d.letter == drive.letter; });
    config.drives.push_back(
        driveConfig(folder, drive.letter, drive.type, drive.capacity, drive.media));
  }
  for (const auto& change : changes_) change(config);
  writeFile(folder / "machine.ini", platform::formatMachineConfig(config, folder));
}

void MachineBuilder::fill(platform::Machine& machine) const {
  const platform::MachineConfig& config = machine.config();
  const auto hostOf = [&](const std::string& winPath) { return machine.resolve(winPath).host; };
  if (installationFolders_)
    for (const std::string& directory :
         {config.windowsDirectory, config.systemDirectory, config.programDirectory})
      fs::create_directories(hostOf(directory));
  for (const std::string& winPath : folders_) fs::create_directories(hostOf(winPath));
  for (const File& file : files_) writeFile(hostOf(file.winPath), file.bytes);
  if (!userProfile_.empty()) writeUserProfile(machine, userProfile_);
  // The program's settings file, vastel.ini in its directory.
  if (!settings_.empty()) fs::create_directories(hostOf(config.programDirectory));
  for (const SettingsKey& s : settings_)
    platform::writePrivateProfileString(machine, s.section, s.key, s.value,
                                        config.programDirectory + "\\vastel.ini");
  writeRegistry(machine);
}

void MachineBuilder::writeRegistry(platform::Machine& machine) const {
  if (registry_.empty()) return;
  if (base_ == Base::Small && !platform::isNt(version_)) ensureWin9xRegistry(machine);
  platform::FileSystem files(machine);
  platform::LiveRegistry registry(machine, files);
  for (const RegistryString& value : registry_)
    setRegistryString(registry, value.root, value.key, value.name, value.value);
  registry.flushAll();
}

std::unique_ptr<platform::Machine> MachineBuilder::build(const fs::path& folder) const {
  if (base_ != Base::Small && !userProfile_.empty())
    throw std::runtime_error("a profile of its own is for small machines; samples take users");
  const fs::path& target = base_ == Base::Existing ? existing_ : folder;
  writeConfig(target);
  std::unique_ptr<platform::Machine> machine = platform::Machine::open(target);
  fill(*machine);
  return machine;
}

fs::path driveFolder(const platform::Machine& machine, char letter) {
  return machine.drive(letter)->hostRoot();
}

}  // namespace testing_support
