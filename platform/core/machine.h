#pragma once
// A Windows machine in host folders: machine.ini, its drives, its state
// folder, and the mapping of Windows paths to host paths.
//
// Path mapping: each component of a Windows path is looked up in the host
// folder without regard to case, by its long name or by its 8.3 alias; host
// names are UTF-8 and are compared in their ANSI form. Components that do not
// exist yet are taken as given (converted to UTF-8), which is where they would
// be created.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/drive.h"
#include "platform/core/file_time.h"
#include "platform/core/folder_names.h"
#include "platform/core/machine_config.h"
#include "platform/core/machine_state.h"
#include "platform/core/system_time.h"
#include "platform/core/win_path.h"

namespace platform {

// Where a Windows path lies on the host.
struct HostLocation {
  Drive* drive = nullptr;
  WinPath path;                // as parsed
  std::string longPath;        // ANSI Windows path with the real long names of existing components
  std::filesystem::path host;  // host path (existing components as they are on the host)
  bool exists = false;         // the whole path exists
  bool parentExists = false;   // every component but the last exists (as a folder)
  std::string aliasFolder;     // alias-store key of the parent folder ("" for the root)
  // The parent folder's host identity, when resolving found it in one look.
  std::optional<host::FileIdentity> parentIdentity;
};

class Machine {
 public:
  // Loads machine.ini from `folder`; throws MachineConfigError for a bad file
  // and corvasta::Error when it is missing.
  static std::unique_ptr<Machine> open(const std::filesystem::path& folder);

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path stateFolder() const { return folder_ / "state"; }
  std::filesystem::path configFile() const { return folder_ / "machine.ini"; }
  const MachineConfig& config() const { return config_; }
  WindowsVersion version() const { return config_.version; }
  MachineState& state() { return *state_; }

  // Drives in GetLogicalDriveStrings order.
  const std::vector<std::unique_ptr<Drive>>& drives() const { return drives_; }
  Drive* drive(char letter) const;
  // "A:\", "C:\" ... in order.
  std::vector<std::string> driveRoots() const;
  // GetDriveType of a root or path ("C:\", "c:", "C:\WINDOWS"): NoRootDir (1)
  // for an unknown drive.
  DriveType driveType(std::string_view rootOrPath) const;

  // FileTimeToLocalFileTime by the machine's time zone (machine.ini
  // TimeZone=, else the host's zone).
  FileTime fileTimeToLocalFileTime(FileTime utc) const;
  // The machine's local time of a UTC file time as calendar fields
  // (FileTimeToLocalFileTime, then FileTimeToSystemTime); nullopt for the
  // values FileTimeToSystemTime refuses.
  std::optional<SystemTime> localSystemTime(FileTime utc) const;

  // Maps a Windows path. Throws OsError: InvalidName (malformed), PathNotFound
  // (unknown drive), NotReady (no medium), InvalidName for a device path.
  HostLocation resolve(std::string_view winPath) const;

  // The 8.3 name of an existing entry in a host folder: its alias, given now
  // if it has none yet, or its own name when that is a valid 8.3 name.
  std::string shortNameOf(const HostLocation& location) const;
  // The entry is gone from its folder (deleted, or moved away): its alias is
  // free again.
  void forgetShortNameOf(const HostLocation& location) const;
  // Gives each entry of a host folder that needs an alias and has none yet its
  // alias, oldest first (host birth time), so that the numbers ~1, ~2 ...
  // follow the order the entries were created in, as on Windows.
  void assignFolderAliases(Drive& drive, const std::filesystem::path& hostFolder) const;
  // GetShortPathName: the path with every component in its 8.3 form. Throws
  // OsError FileNotFound/PathNotFound when the path does not exist.
  std::string shortPath(std::string_view winPath) const;
  // The Windows path of a host path below one of the drives' current media, if any.
  std::optional<std::string> winPathOf(const std::filesystem::path& host) const;

  // Alias-store key of a host folder on a drive ("" for the drive's root).
  static std::string aliasKey(const Drive& drive, const std::filesystem::path& hostFolder);
  // The long names in a host folder, ANSI, in host order.
  static std::vector<std::string> ansiNamesIn(const std::filesystem::path& hostFolder);

 private:
  Machine(std::filesystem::path folder, MachineConfig config);

  std::filesystem::path folder_;
  MachineConfig config_;
  std::unique_ptr<MachineState> state_;
  std::vector<std::unique_ptr<Drive>> drives_;
  mutable FolderNameIndex folderNames_;
};

}  // namespace platform
