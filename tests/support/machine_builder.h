#pragma once
// A test machine described step by step: which Windows, its drives and media,
// its users, what machine.ini says, the files, settings keys and registry
// values it holds, and what the program on it starts with (its clock, the
// backup it is in). build() writes the machine into a folder and opens it;
// ProgramRig (program_rig.h) puts the program on it.
//
//   MachineBuilder(WindowsVersion::WinXp)
//       .userProfile("Alice")
//       .setting("DefaultDirectories", "Temp", "C:\\TMP\\")
//       .folder("C:\\TMP")
//
// A builder made with the constructor is a small machine: the drives are
// empty folders until the builder fills them. sample() starts from a
// generated Windows installation instead.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/machine.h"
#include "platform/core/machine_config.h"
#include "platform/live_registry/live_registry.h"
#include "platform/system/locale_format.h"

namespace testing_support {

// A 1.44 MB diskette.
inline constexpr uint64_t kDisketteBytes = 1457664;

// The clock's time on a day: year, month, day and hour, nothing finer.
platform::SystemTime clockTime(int year, int month, int day, int hour = 12);

// What the program on the machine starts with, each time it starts.
struct ProgramStart {
  int windowsMode = 0;           // 0: the mode of the machine's Windows
  platform::SystemTime today;    // the clock stands at this time
  std::string backupSet;         // a backup into this set folder is running
  std::optional<int> packLevel;  // the archive engines' pack level
  bool openFileBackup = false;   // "Enable Open File Backup" is set
};

class MachineBuilder {
 public:
  // A small machine of `version`: one empty fixed drive C.
  explicit MachineBuilder(platform::WindowsVersion version = platform::WindowsVersion::WinMe);
  // A generated installation of `version` (platform/sample) with `users`
  // profiles; -1: the version's default.
  static MachineBuilder sample(platform::WindowsVersion version, int users = -1);
  // The machine that already lies in `folder`, as it is.
  static MachineBuilder existing(const std::filesystem::path& folder);

  // --- Drives and media (a drive of a letter already there is replaced) ----
  MachineBuilder& fixedDrive(char letter, std::optional<uint64_t> capacity = std::nullopt);
  // Media folders, the first one inserted.
  MachineBuilder& removableDrive(char letter, std::vector<std::string> media,
                                 std::optional<uint64_t> capacity = kDisketteBytes);
  MachineBuilder& cdromDrive(char letter, std::vector<std::string> media = {});

  // --- Users ----------------------------------------------------------------
  // The name the user is logged on with (machine.ini UserName); no profile.
  MachineBuilder& userName(const std::string& name);
  // The user logged on with a profile of their own: on Windows 95/98/ME
  // Profiles\<name>\user.dat with the registry's "Current User", on NT
  // "Documents and Settings\<name>\ntuser.dat". Small machines only; a
  // sample's profiles come with sample(version, users).
  MachineBuilder& userProfile(const std::string& name);

  // --- What machine.ini says ------------------------------------------------
  MachineBuilder& environment(const std::string& name, const std::string& value);
  // A file Windows holds open: opening it is a sharing violation.
  MachineBuilder& heldOpen(const std::string& winPath);
  // Anything else of machine.ini (privileges, locale, programs ...).
  MachineBuilder& configure(std::function<void(platform::MachineConfig&)> change);

  // --- What lies on the drives ----------------------------------------------
  MachineBuilder& folder(const std::string& winPath);
  MachineBuilder& file(const std::string& winPath, const std::string& bytes);
  MachineBuilder& fileOfSize(const std::string& winPath, size_t size);
  // The Windows, System and program directories exist.
  MachineBuilder& installationFolders();
  // A key of the program's settings file (vastel.ini in the program directory).
  MachineBuilder& setting(const std::string& section, const std::string& key,
                          const std::string& value);
  // A string value in the machine's registry files. A small Windows 95/98/ME
  // machine gets empty registry files for it; other machines must have the
  // file the key lives in.
  MachineBuilder& registryString(platform::HKEY root, const std::string& key,
                                 const std::string& name, const std::string& value);

  // --- The program on the machine ---------------------------------------------
  // The clock (default 3 May 2004, noon).
  MachineBuilder& today(int year, int month, int day, int hour = 12);
  // The program runs in this mode (default: the one of the machine's Windows).
  MachineBuilder& windowsMode(int mode);
  // The backup routines run inside a backup into `setDir` (created).
  MachineBuilder& backupSet(const std::string& setDir);
  MachineBuilder& packLevel(int level);
  MachineBuilder& openFileBackup();

  // Writes the machine into `folder`, which must not hold one yet (an
  // existing() machine stays in its own folder), and opens it. Throws
  // std::runtime_error for what cannot be built.
  std::unique_ptr<platform::Machine> build(const std::filesystem::path& folder) const;

  platform::WindowsVersion version() const { return version_; }
  const ProgramStart& program() const { return program_; }
  // The folder of an existing() machine; empty otherwise.
  const std::filesystem::path& existingFolder() const { return existing_; }

 private:
  enum class Base { Small, Sample, Existing };
  struct Drive {
    char letter = 'C';
    platform::DriveType type = platform::DriveType::Fixed;
    std::optional<uint64_t> capacity;
    std::vector<std::string> media;
  };
  struct File {
    std::string winPath;
    std::string bytes;
  };
  struct SettingsKey {
    std::string section, key, value;
  };
  struct RegistryString {
    platform::HKEY root;
    std::string key, name, value;
  };

  MachineBuilder& addDrive(Drive drive);
  platform::MachineConfig smallConfig() const;
  void writeConfig(const std::filesystem::path& folder) const;
  void fill(platform::Machine& machine) const;
  void writeRegistry(platform::Machine& machine) const;

  Base base_ = Base::Small;
  platform::WindowsVersion version_;
  int sampleUsers_ = -1;
  std::filesystem::path existing_;
  std::vector<Drive> drives_;
  std::string userProfile_;
  std::vector<std::function<void(platform::MachineConfig&)>> changes_;
  std::vector<std::string> folders_;
  std::vector<File> files_;
  bool installationFolders_ = false;
  std::vector<SettingsKey> settings_;
  std::vector<RegistryString> registry_;
  ProgramStart program_;
};

// The host folder of a drive (its inserted medium).
std::filesystem::path driveFolder(const platform::Machine& machine, char letter);

}  // namespace testing_support
